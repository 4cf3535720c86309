# SPDX-License-Identifier: MIT
# The same sources give the same binaries, wherever they and the build lie:
#  - the source and build folders' absolute paths are mapped to "." in the
#    debug information and in __FILE__ (the later map wins, so the build
#    folder, which may lie inside the source folder, comes second); a
#    compiler without -ffile-prefix-map (clang before 10) maps the debug
#    information alone, and one with neither map maps nothing;
#  - run paths in the build tree are relative to $ORIGIN, so the space an
#    install leaves where it removes them is the same in every build;
#  - DLLs carry no link time.
include(CheckCCompilerFlag)
check_c_compiler_flag(-ffile-prefix-map=/vgzo=. VGZO_HAS_FILE_PREFIX_MAP)
if(VGZO_HAS_FILE_PREFIX_MAP)
  add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.
                      -ffile-prefix-map=${PROJECT_BINARY_DIR}=.)
else()
  check_c_compiler_flag(-fdebug-prefix-map=/vgzo=. VGZO_HAS_DEBUG_PREFIX_MAP)
  if(VGZO_HAS_DEBUG_PREFIX_MAP)
    add_compile_options(-fdebug-prefix-map=${PROJECT_SOURCE_DIR}=.
                        -fdebug-prefix-map=${PROJECT_BINARY_DIR}=.)
  endif()
endif()
set(CMAKE_BUILD_RPATH_USE_ORIGIN ON)
if(WIN32)
  add_link_options(LINKER:--no-insert-timestamp)
endif()
