# cmake -DZIP=out.zip -DFILES="a;b;..." -DSTAGE=folder -P release_zip.cmake
# Zips FILES at the zip's root, in their order, and writes ZIP.sha256 beside it ("<sum>  <name>",
# as sha256sum -c reads it). Every entry has the same fixed time and mode, so the zip depends on
# the files' bytes only, not on when or in which folder they were built.
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
set(names)
foreach(path IN LISTS FILES)
  get_filename_component(name ${path} NAME)
  file(COPY_FILE ${path} ${STAGE}/${name})
  file(CHMOD ${STAGE}/${name} FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  list(APPEND names ${name})
endforeach()
file(REMOVE ${ZIP})
# The zip's DOS times are local times: the same zone for every build.
set(ENV{TZ} UTC)
execute_process(
  COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip "--mtime=2000-01-01 00:00:00 UTC" ${names}
  WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "Could not write ${ZIP}")
endif()
file(SHA256 ${ZIP} sum)
get_filename_component(zipName ${ZIP} NAME)
file(WRITE ${ZIP}.sha256 "${sum}  ${zipName}\n")
