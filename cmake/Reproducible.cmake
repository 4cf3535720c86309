# SPDX-License-Identifier: MIT
# The same sources give the same binaries, wherever they and the build lie:
#  - the source and build folders' absolute paths are mapped to "." in the
#    debug information and in __FILE__ (the later map wins, so the build
#    folder, which may lie inside the source folder, comes second);
#  - run paths in the build tree are relative to $ORIGIN, so the space an
#    install leaves where it removes them is the same in every build;
#  - DLLs carry no link time.
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.
                    -ffile-prefix-map=${PROJECT_BINARY_DIR}=.)
set(CMAKE_BUILD_RPATH_USE_ORIGIN ON)
if(WIN32)
  add_link_options(LINKER:--no-insert-timestamp)
endif()
