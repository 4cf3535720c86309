# SPDX-License-Identifier: MIT
# Reads the export list (exports.txt) and writes what is made from it:
#   VGZO_EXPORTS          the exported names, in order
#   VGZO_VERSION_NODES    the symbol version nodes, oldest first
#   VGZO_EXPORT_MAP       the version script for the ELF linker
#   VGZO_EXPORT_DEF       the module-definition (.def) file for Windows
# Included by vgzo/CMakeLists.txt; the files go into its build folder.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${CMAKE_CURRENT_LIST_DIR}/exports.txt)
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/exports.txt vgzo_export_lines REGEX "^[A-Za-z_]")

set(VGZO_EXPORTS "")
set(VGZO_VERSION_NODES "")
set(vgzo_map "")
set(vgzo_node "")
set(vgzo_node_names "")
# Closes the node being read: its names, "local: *" in the first node alone,
# and the node it inherits.
macro(vgzo_close_node)
  if(vgzo_node)
    list(LENGTH VGZO_VERSION_NODES vgzo_known)
    string(APPEND vgzo_map "${vgzo_node} {\n  global:\n")
    foreach(vgzo_name IN LISTS vgzo_node_names)
      string(APPEND vgzo_map "    ${vgzo_name};\n")
    endforeach()
    set(vgzo_inherits "")
    if(vgzo_known EQUAL 0)
      string(APPEND vgzo_map "  local:\n    *;\n")
    else()
      list(GET VGZO_VERSION_NODES -1 vgzo_inherits)
      set(vgzo_inherits " ${vgzo_inherits}")
    endif()
    string(APPEND vgzo_map "}${vgzo_inherits};\n")
    list(APPEND VGZO_VERSION_NODES ${vgzo_node})
  endif()
endmacro()
foreach(vgzo_line IN LISTS vgzo_export_lines)
  if(vgzo_line MATCHES "^VGZO_[0-9.]+$")
    vgzo_close_node()
    set(vgzo_node ${vgzo_line})
    set(vgzo_node_names "")
  else()
    list(APPEND vgzo_node_names ${vgzo_line})
    list(APPEND VGZO_EXPORTS ${vgzo_line})
  endif()
endforeach()
vgzo_close_node()

set(VGZO_EXPORT_MAP ${CMAKE_CURRENT_BINARY_DIR}/exports.map)
file(CONFIGURE OUTPUT ${VGZO_EXPORT_MAP} CONTENT
     "/* Made from exports.txt by ExportFiles.cmake. */\n${vgzo_map}")

list(JOIN VGZO_EXPORTS "\n  " vgzo_def_names)
set(VGZO_EXPORT_DEF ${CMAKE_CURRENT_BINARY_DIR}/vgzo.def)
file(CONFIGURE OUTPUT ${VGZO_EXPORT_DEF} CONTENT
     "; Made from exports.txt by ExportFiles.cmake.\nLIBRARY vgzo.dll\nEXPORTS\n  ${vgzo_def_names}\n")
