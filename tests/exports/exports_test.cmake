# SPDX-License-Identifier: MIT
# What the built library offers its clients, read from the built files: the
# eight exports and nothing else, and the version it claims.
# The names come from the export list, vgzo/exports.txt (VGZO_EXPORTS).
list(JOIN VGZO_EXPORTS " " vgzo_exports_text)

# A static library has no export table: what it must not define instead is
# any global name a client could clash with.  A shared build checks the
# archive a static build would make (vgzo_static_archive) as well.
set(vgzo_file_checks static_library_symbols)
if(VGZO_LIBRARY_TYPE STREQUAL "STATIC")
  set(vgzo_static_archive vgzo)
else()
  set(vgzo_static_archive vgzo_static_archive)
  include(${CMAKE_CURRENT_LIST_DIR}/shared_library_test.cmake)
endif()
add_test(NAME static_library_symbols
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/check_static_symbols.sh ${CMAKE_NM}
          $<TARGET_FILE:${vgzo_static_archive}> "${vgzo_exports_text}" vgzo)

# version: the header's version macros and the changelog's newest release are
# the project's version.
add_test(NAME header_and_changelog_version
  COMMAND ${CMAKE_COMMAND} -DHEADER=${PROJECT_SOURCE_DIR}/vgzo/vgzo.h
          -DCHANGELOG=${PROJECT_SOURCE_DIR}/CHANGELOG.md -DVERSION=${PROJECT_VERSION}
          -P ${CMAKE_CURRENT_LIST_DIR}/version_test.cmake)

# Each check here is a script that reads built files.
set_property(TEST ${vgzo_file_checks} header_and_changelog_version APPEND PROPERTY LABELS script)
