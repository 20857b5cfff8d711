# The release zip (cmake --build --preset mingw --target release_zip): launcher.exe, the player's
# guide as README.txt (for Notepad) and as Guide.html (with the pictures of the windows, for a
# browser), both made from docs/player-guide.md with Debian's pandoc, and the licence as
# LICENSE.txt with CR LF line ends, all at the zip's root; beside the zip its SHA-256 in the form
# sha256sum -c reads. The same sources give the same zip in any folder (see release_zip.py).
find_program(PANDOC pandoc REQUIRED)
find_program(PYTHON3 python3 REQUIRED)
set(PACKAGE_TEXTS_DIR ${CMAKE_BINARY_DIR}/package_texts)
set(GUIDE ${CMAKE_SOURCE_DIR}/docs/player-guide.md)
file(GLOB GUIDE_PICTURES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/*.png)
add_custom_command(
  OUTPUT ${PACKAGE_TEXTS_DIR}/README.txt ${PACKAGE_TEXTS_DIR}/Guide.html
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PACKAGE_TEXTS_DIR}
  COMMAND ${CMAKE_COMMAND} -DPANDOC=${PANDOC} -DGUIDE=${GUIDE}
          -DFILTER=${CMAKE_SOURCE_DIR}/cmake/guide_plain.lua -DOUT_DIR=${PACKAGE_TEXTS_DIR}
          -P ${CMAKE_SOURCE_DIR}/cmake/guide.cmake
  DEPENDS ${GUIDE} ${GUIDE_PICTURES} ${CMAKE_SOURCE_DIR}/cmake/guide.cmake
          ${CMAKE_SOURCE_DIR}/cmake/guide_plain.lua ${CMAKE_SOURCE_DIR}/cmake/guide_header.html
  COMMENT "Writing README.txt and Guide.html from docs/player-guide.md")
add_custom_command(
  OUTPUT ${PACKAGE_TEXTS_DIR}/LICENSE.txt
  COMMAND ${CMAKE_COMMAND} -DINPUT=${CMAKE_SOURCE_DIR}/LICENSE
          -DOUTPUT=${PACKAGE_TEXTS_DIR}/LICENSE.txt -P ${CMAKE_SOURCE_DIR}/cmake/crlf.cmake
  DEPENDS ${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_SOURCE_DIR}/cmake/crlf.cmake
  COMMENT "Writing LICENSE.txt from LICENSE with CR LF line ends")
set(PACKAGE_TEXTS ${PACKAGE_TEXTS_DIR}/README.txt ${PACKAGE_TEXTS_DIR}/Guide.html
                  ${PACKAGE_TEXTS_DIR}/LICENSE.txt)
add_custom_target(package_texts ALL DEPENDS ${PACKAGE_TEXTS})

# In the cache too, where release.sh reads it.
set(PACKAGE_FILE_NAME ${PROJECT_NAME}-${LAUNCHER_DISPLAY_VERSION}-win32
    CACHE INTERNAL "The release zip's name without .zip")
set(RELEASE_ZIP ${CMAKE_BINARY_DIR}/${PACKAGE_FILE_NAME}.zip)
add_custom_target(release_zip
  COMMAND ${PYTHON3} ${CMAKE_SOURCE_DIR}/cmake/release_zip.py ${RELEASE_ZIP}
          $<TARGET_FILE:launcher> ${PACKAGE_TEXTS}
  DEPENDS launcher package_texts ${CMAKE_SOURCE_DIR}/cmake/release_zip.py
  COMMENT "Writing ${PACKAGE_FILE_NAME}.zip and its SHA-256"
  VERBATIM)
