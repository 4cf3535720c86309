# SPDX-License-Identifier: MIT
# The manual pages as HTML, for readers without man (Windows): every page of
# man3/ rendered by mandoc, cross references linking page to page, and an
# index.html listing each page with its one-line description.
#   cmake -DMANDOC=mandoc -DMAN_DIR=vgzo/man -DOUT=dir -P html.cmake
file(GLOB pages RELATIVE ${MAN_DIR} ${MAN_DIR}/man3/*.3)
list(SORT pages)
file(MAKE_DIRECTORY ${OUT})
set(items "")
foreach(page IN LISTS pages)
  get_filename_component(name ${page} NAME_WE)
  # From the manual's folder, so that a link page's ".so man3/..." is found.
  execute_process(COMMAND ${MANDOC} -T html -O man=%N.%S.html ${page}
    WORKING_DIRECTORY ${MAN_DIR} OUTPUT_FILE ${OUT}/${name}.3.html RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "mandoc could not render ${page}")
  endif()
  file(READ ${MAN_DIR}/${page} text)
  if(text MATCHES "^\\.so (man3/[^\n]+)")
    file(READ ${MAN_DIR}/${CMAKE_MATCH_1} text)
  endif()
  string(REGEX MATCH "\n\\.Nd ([^\n]*)" description "${text}")
  string(APPEND items "<li><a href=\"${name}.3.html\">${name}(3)</a>: ${CMAKE_MATCH_1}</li>\n")
endforeach()
file(WRITE ${OUT}/index.html "<!DOCTYPE html>
<html lang=\"en\">
<head><meta charset=\"utf-8\"><title>vgzo manual</title></head>
<body>
<h1>vgzo manual</h1>
<ul>
${items}</ul>
</body>
</html>
")
