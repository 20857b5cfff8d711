# Cross-build for Windows with Debian's MinGW-w64. The program is 32-bit (i686): one exe runs on
# 32-bit Windows and, under WoW64, on 64-bit Windows. -DMINGW_ARCH=x86_64 builds the same sources
# 64-bit, only to run the tests on a machine that cannot run 32-bit programs. The win32
# threading model is used: the posix one links a thread library that needs Windows Vista.
set(MINGW_ARCH i686 CACHE STRING "i686 (the program) or x86_64 (test runs only)")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES MINGW_ARCH)
set(CMAKE_SYSTEM_NAME Windows)
if(MINGW_ARCH STREQUAL "i686")
  set(CMAKE_SYSTEM_PROCESSOR x86)
else()
  set(CMAKE_SYSTEM_PROCESSOR ${MINGW_ARCH})
endif()

set(MINGW_TRIPLET ${MINGW_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-win32)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-win32)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
