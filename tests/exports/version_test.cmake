# SPDX-License-Identifier: MIT
# Checks that the public header's version macros and the changelog's newest
# release are the project's version:
#   cmake -DHEADER=vgzo.h -DCHANGELOG=CHANGELOG.md -DVERSION=1.2.3 -P version_test.cmake
file(READ ${HEADER} header)
string(REPLACE "." ";" parts "${VERSION}")
list(GET parts 0 major)
list(GET parts 1 minor)
list(GET parts 2 patch)
set(expected
  "#define VGZO_VERSION_MAJOR ${major}\n"
  "#define VGZO_VERSION_MINOR ${minor}\n"
  "#define VGZO_VERSION_PATCH ${patch}\n"
  "#define VGZO_VERSION_STRING \"${VERSION}\"\n")
foreach(line IN LISTS expected)
  string(FIND "${header}" "${line}" at)
  if(at EQUAL -1)
    string(STRIP "${line}" line)
    message(FATAL_ERROR "${HEADER} lacks: ${line}")
  endif()
endforeach()

file(STRINGS ${CHANGELOG} releases REGEX "^## \\[[0-9]")
list(GET releases 0 newest)
if(NOT newest MATCHES "^## \\[${VERSION}\\]")
  message(FATAL_ERROR "the changelog's newest release is '${newest}', not ${VERSION}")
endif()
message(STATUS "header and changelog at ${VERSION}")
