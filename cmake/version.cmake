# Derives the version's forms from the project version (MAJOR.MINOR.PATCH.TWEAK) and writes them
# into GENERATED_DIR for the resource script: version.h and launcher.manifest.
function(zero_padded value width out)
  string(LENGTH "${value}" length)
  math(EXPR missing "${width} - ${length}")
  if(missing LESS 0)
    message(FATAL_ERROR "Version part ${value} is longer than ${width} digits")
  endif()
  string(REPEAT "0" ${missing} zeros)
  set(${out} "${zeros}${value}" PARENT_SCOPE)
endfunction()

zero_padded(${PROJECT_VERSION_MINOR} 2 minor)
zero_padded(${PROJECT_VERSION_TWEAK} 4 build)
set(LAUNCHER_DISPLAY_VERSION "${PROJECT_VERSION_MAJOR}.${minor}.${build}")
set(LAUNCHER_ASSEMBLY_VERSION "${PROJECT_VERSION}")
set(LAUNCHER_VERSION_NUMBERS "${PROJECT_VERSION_MAJOR}, ${PROJECT_VERSION_MINOR}, \
${PROJECT_VERSION_PATCH}, ${PROJECT_VERSION_TWEAK}")

set(GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/res/version.h.in ${GENERATED_DIR}/version.h @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/res/launcher.manifest.in ${GENERATED_DIR}/launcher.manifest
               @ONLY)
