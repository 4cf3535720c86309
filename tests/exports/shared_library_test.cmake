# SPDX-License-Identifier: MIT
# The shared library's checks, included by exports_test.cmake, which sets
# vgzo_exports_text.  exports_and_needed_libraries: it exports exactly the
# eight names and needs at run time only the two outside libraries and the C
# library.  Adds the tests it makes to vgzo_file_checks.
list(APPEND vgzo_file_checks exports_and_needed_libraries)
if(VGZO_USE_STANDINS)
  if(WIN32)
    set(vgzo_outside $<TARGET_FILE:vgzo::vg> $<TARGET_FILE:vgzo::zo>)
  else()
    set(vgzo_outside $<TARGET_SONAME_FILE:vgzo::vg> $<TARGET_SONAME_FILE:vgzo::zo>)
  endif()
else()
  set(vgzo_outside ${VGZO_VG_LIBRARY} ${VGZO_ZO_LIBRARY})
endif()

set(vgzo_version_node "")
if(WIN32)
  set(vgzo_binary_format pe)
  set(vgzo_binary_reader ${CMAKE_OBJDUMP})
  # The C runtime alone: the DLL does without the runtime's start-up code,
  # which would import from KERNEL32.dll.
  set(vgzo_system_libraries "msvcrt.dll")
else()
  set(vgzo_binary_format elf)
  # Every export is of the one symbol version node so far.
  list(LENGTH VGZO_VERSION_NODES vgzo_node_count)
  if(NOT vgzo_node_count EQUAL 1)
    message(FATAL_ERROR "exports_and_needed_libraries checks one version node, not ${VGZO_VERSION_NODES}")
  endif()
  set(vgzo_version_node --version-node ${VGZO_VERSION_NODES})
  set(vgzo_binary_reader ${CMAKE_READELF})
  # And the dynamic loader where it keeps the stack protector's guard, which
  # the check reads from the library itself.
  set(vgzo_system_libraries "libc.so.6")
endif()
if(VGZO_SANITIZED)
  set(vgzo_system_libraries "-")
endif()

if(WIN32)
  # The DLL's version resource, and its exports as vgzo.def and vgzo.lib
  # give them to Microsoft's tools.
  find_program(VGZO_LLVM_NM NAMES llvm-nm llvm-nm-14 DOC "LLVM's nm, to read vgzo.lib")
  list(APPEND vgzo_file_checks windows_dll_files)
  add_test(NAME windows_dll_files
    COMMAND ${CMAKE_COMMAND} -DDLL=$<TARGET_FILE:vgzo> -DDEF=${VGZO_EXPORT_DEF}
            -DLIB=${VGZO_MSVC_IMPORT_LIBRARY} "-DEXPORTS=${VGZO_EXPORTS}"
            -DOBJDUMP=${CMAKE_OBJDUMP} -DWINDRES=${CMAKE_RC_COMPILER} -DLLVM_NM=${VGZO_LLVM_NM}
            -DLICENSE=${PROJECT_SOURCE_DIR}/LICENSE -DVERSION=${PROJECT_VERSION}
            "-DDESCRIPTION=${PROJECT_DESCRIPTION}"
            -P ${CMAKE_CURRENT_LIST_DIR}/check_windows_files.cmake)
endif()

add_test(NAME exports_and_needed_libraries
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/check_exports.sh ${vgzo_version_node} ${vgzo_binary_format}
          ${vgzo_binary_reader} $<TARGET_FILE:vgzo> "${vgzo_exports_text}"
          "${vgzo_system_libraries}" ${vgzo_outside})

# abi_compatible: the library's ABI against the baseline committed in
# vgzo/abi (libabigail's abidiff), for native g++ builds with debug
# information.  The vgzo_abi_baseline target writes a new baseline, on purpose.
find_program(VGZO_ABIDIFF abidiff DOC "libabigail's abidiff, for the ABI check")
if(VGZO_ABI_BASELINE AND VGZO_ABIDIFF)
  list(APPEND vgzo_file_checks abi_compatible)
  add_test(NAME abi_compatible
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/check_abi.sh ${VGZO_ABIDIFF} ${VGZO_ABI_BASELINE}
            $<TARGET_FILE:vgzo> ${PROJECT_SOURCE_DIR}/vgzo)
endif()
