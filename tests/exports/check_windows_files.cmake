# SPDX-License-Identifier: MIT
# What vgzo.dll tells Windows and Microsoft's tools about itself:
#   cmake -DDLL=vgzo.dll -DDEF=vgzo.def -DLIB=vgzo.lib -DEXPORTS="a;b;..."
#         -DOBJDUMP=... -DWINDRES=... -DLLVM_NM=... -DLICENSE=LICENSE
#         -DVERSION=1.2.3 "-DDESCRIPTION=..." -P check_windows_files.cmake
#  - its version resource, read back by windres: file and product version
#    from VERSION, the description and the licence's copyright line;
#  - the names the DLL exports, the .def file lists and vgzo.lib imports are
#    each exactly the export list (LIB may be empty where there is none).
cmake_minimum_required(VERSION 3.25)
set(failures "")

execute_process(COMMAND ${WINDRES} -i ${DLL} -O rc OUTPUT_VARIABLE resource RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT resource MATCHES "VERSIONINFO")
  list(APPEND failures "${DLL} has no version resource")
endif()
string(REPLACE "." ", " numbers "${VERSION}")
file(STRINGS ${LICENSE} copyright REGEX "^Copyright " LIMIT_COUNT 1)
foreach(expected IN ITEMS
    " FILEVERSION ${numbers}, 0\n"
    " PRODUCTVERSION ${numbers}, 0\n"
    "VALUE \"FileVersion\", \"${VERSION}\"\n"
    "VALUE \"ProductVersion\", \"${VERSION}\"\n"
    "VALUE \"FileDescription\", \"${DESCRIPTION}\"\n"
    "VALUE \"LegalCopyright\", \"${copyright}\"\n"
    "VALUE \"OriginalFilename\", \"vgzo.dll\"\n")
  string(FIND "${resource}" "${expected}" at)
  if(at EQUAL -1)
    string(STRIP "${expected}" expected)
    list(APPEND failures "the version resource lacks: ${expected}")
  endif()
endforeach()

set(expected_names ${EXPORTS})
list(SORT expected_names)
# compare(what names): fails unless `names` are the export list.
function(compare what)
  set(names ${ARGN})
  list(FILTER names EXCLUDE REGEX "^$")
  list(SORT names)
  if(NOT names STREQUAL expected_names)
    set(failures ${failures} "${what}: ${names}, not ${expected_names}" PARENT_SCOPE)
  endif()
endfunction()

execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump)
# The table's lines read "\t[   0] name"; brackets would upset CMake's lists,
# so each line becomes its name before anything is split.
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n(([^\n]+\n)+)" table "${dump}")
string(REGEX REPLACE "[^\n]*\\] ([A-Za-z_0-9]+)\n" "\\1;" exported "${CMAKE_MATCH_1}")
compare("the DLL exports" ${exported})

file(READ ${DEF} def)
string(REGEX REPLACE ".*\nEXPORTS\n" "" def "${def}")
string(REGEX MATCHALL "[A-Za-z_0-9]+" listed "${def}")
compare("vgzo.def lists" ${listed})

if(LIB)
  execute_process(COMMAND ${LLVM_NM} ${LIB} OUTPUT_VARIABLE symbols)
  string(REGEX MATCHALL " T __imp_[A-Za-z_0-9]+" imported "${symbols}")
  list(TRANSFORM imported REPLACE "^ T __imp_" "")
  compare("vgzo.lib imports" ${imported})
endif()

if(failures)
  list(JOIN failures "\n" failures)
  message(FATAL_ERROR "${failures}")
endif()
message(STATUS "version resource ${VERSION}, \"${DESCRIPTION}\", \"${copyright}\"; "
               "the DLL, vgzo.def and vgzo.lib name the exports")
