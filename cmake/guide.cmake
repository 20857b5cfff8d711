# cmake -DPANDOC=pandoc -DGUIDE=player-guide.md -DFILTER=guide_plain.lua -DOUT_DIR=dir -P guide.cmake
# Writes the player's guide twice with Debian's pandoc, from the one Markdown source:
# - README.txt for Notepad: plain text, lines of at most 78 characters, CR LF line ends, UTF-8 with
#   a byte-order mark (older Notepads take UTF-8 without one for the ANSI code page), no pictures;
# - Guide.html for any browser: one standalone page with the pictures embedded as data, so that
#   it shows them from the zip with no other file beside it, each at its own size
#   (guide_header.html).
get_filename_component(pictures ${GUIDE} DIRECTORY)
execute_process(
  COMMAND ${PANDOC} --from=markdown-smart-raw_tex --to=plain --columns=78
          --lua-filter=${FILTER} --output=${OUT_DIR}/README.plain ${GUIDE}
  RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "pandoc could not write README.txt")
endif()
# pandoc's text is UTF-8: the mark goes in front of it. Every line ends in CR LF.
file(READ ${OUT_DIR}/README.plain text)
file(REMOVE ${OUT_DIR}/README.plain)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
string(ASCII 239 187 191 bom)
file(WRITE ${OUT_DIR}/README.txt "${bom}${text}")

# pandoc 3 embeds with --embed-resources; pandoc 2 (Debian 12) with --self-contained.
execute_process(COMMAND ${PANDOC} --version OUTPUT_VARIABLE version)
string(REGEX MATCH "^pandoc[^ ]* ([0-9]+)" version "${version}")
if(CMAKE_MATCH_1 GREATER_EQUAL 3)
  set(embed --embed-resources --standalone)
else()
  set(embed --self-contained)
endif()
execute_process(
  COMMAND ${PANDOC} --from=markdown-raw_tex --to=html5 ${embed} --resource-path=${pictures}
          "--metadata=pagetitle:Orlwin Bot Launcher - player's guide" --metadata=lang:en
          --include-in-header=${CMAKE_CURRENT_LIST_DIR}/guide_header.html
          --output=${OUT_DIR}/Guide.html ${GUIDE}
  RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "pandoc could not write Guide.html")
endif()
