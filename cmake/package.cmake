# The release zip (cmake --build --preset mingw --target package): launcher.exe, the player's
# guide as README.txt and the licence as LICENSE.txt, all at the zip's root, the texts with CR LF
# line ends; beside the zip its SHA-256 in the form sha256sum -c reads.
set(PACKAGE_TEXTS_DIR ${CMAKE_BINARY_DIR}/package_texts)
set(PACKAGE_TEXTS)
foreach(pair "docs/player-guide.md=README.txt" "LICENSE=LICENSE.txt")
  string(REPLACE "=" ";" pair ${pair})
  list(GET pair 0 source)
  list(GET pair 1 text)
  add_custom_command(
    OUTPUT ${PACKAGE_TEXTS_DIR}/${text}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${CMAKE_SOURCE_DIR}/${source}
            -DOUTPUT=${PACKAGE_TEXTS_DIR}/${text} -P ${CMAKE_SOURCE_DIR}/cmake/crlf.cmake
    DEPENDS ${CMAKE_SOURCE_DIR}/${source} ${CMAKE_SOURCE_DIR}/cmake/crlf.cmake
    COMMENT "Writing ${text} from ${source} with CR LF line ends")
  list(APPEND PACKAGE_TEXTS ${PACKAGE_TEXTS_DIR}/${text})
endforeach()
add_custom_target(package_texts ALL DEPENDS ${PACKAGE_TEXTS})

# Only this component goes into the zip: no tests, tools or libraries.
install(TARGETS launcher RUNTIME DESTINATION . COMPONENT release)
install(FILES ${PACKAGE_TEXTS} DESTINATION . COMPONENT release)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VERSION ${LAUNCHER_DISPLAY_VERSION})
set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${LAUNCHER_DISPLAY_VERSION}-win32)
set(RELEASE_ZIP ${CMAKE_BINARY_DIR}/${CPACK_PACKAGE_FILE_NAME}.zip)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};release;/")
set(CPACK_PACKAGE_CHECKSUM SHA256)
include(CPack)
