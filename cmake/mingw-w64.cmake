# Cross-build for Windows with Debian's MinGW-w64. The program is 32-bit (i686): one exe runs on
# 32-bit Windows and, under WoW64, on 64-bit Windows. -DMINGW_ARCH=x86_64 builds the same sources
# 64-bit, only to run the tests on a machine that cannot run 32-bit programs.
#
# The threading model is the one whose runtime runs on Windows XP: with GCC 12 (Debian 12) the
# win32 one, since that MinGW-w64's posix thread library imports GetTickCount64; from GCC 13 on
# (Debian 13) the posix one, since the win32 one's C++ library then needs Windows Vista's
# condition variables and no longer compiles for XP. The import check holds either to XP.
set(MINGW_ARCH i686 CACHE STRING "i686 (the program) or x86_64 (test runs only)")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES MINGW_ARCH)
set(CMAKE_SYSTEM_NAME Windows)
if(MINGW_ARCH STREQUAL "i686")
  set(CMAKE_SYSTEM_PROCESSOR x86)
else()
  set(CMAKE_SYSTEM_PROCESSOR ${MINGW_ARCH})
endif()

set(MINGW_TRIPLET ${MINGW_ARCH}-w64-mingw32)
execute_process(COMMAND ${MINGW_TRIPLET}-gcc-win32 -dumpversion OUTPUT_VARIABLE MINGW_GCC_VERSION
                OUTPUT_STRIP_TRAILING_WHITESPACE)
if(MINGW_GCC_VERSION VERSION_LESS 13)
  set(MINGW_THREADS win32)
else()
  set(MINGW_THREADS posix)
endif()
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-${MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-${MINGW_THREADS})
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
