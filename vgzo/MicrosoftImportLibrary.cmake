# SPDX-License-Identifier: MIT
# vgzo.lib: the import library of vgzo.dll in the form Microsoft's linker (and
# lld-link) reads, made from the .def file by LLVM's dlltool, beside the GNU
# import library libvgzo.dll.a the MinGW linker writes.  Without llvm-dlltool
# (Debian's llvm) there is only the GNU one.
find_program(VGZO_LLVM_DLLTOOL NAMES llvm-dlltool llvm-dlltool-14
  DOC "LLVM's dlltool, for vgzo.lib, the import library of Microsoft's form")
if(NOT VGZO_LLVM_DLLTOOL)
  message(STATUS "No llvm-dlltool (llvm): vgzo.lib is not made")
  return()
endif()
set(VGZO_MSVC_IMPORT_LIBRARY ${CMAKE_CURRENT_BINARY_DIR}/vgzo.lib)
add_custom_command(
  OUTPUT ${VGZO_MSVC_IMPORT_LIBRARY}
  COMMAND ${VGZO_LLVM_DLLTOOL} -m i386:x86-64 -D vgzo.dll -d ${VGZO_EXPORT_DEF}
          -l ${VGZO_MSVC_IMPORT_LIBRARY}
  DEPENDS ${VGZO_EXPORT_DEF}
  COMMENT "Making vgzo.lib from vgzo.def"
  VERBATIM)
add_custom_target(vgzo_msvc_import_library ALL DEPENDS ${VGZO_MSVC_IMPORT_LIBRARY})
set(VGZO_MSVC_IMPORT_LIBRARY ${VGZO_MSVC_IMPORT_LIBRARY} PARENT_SCOPE)
