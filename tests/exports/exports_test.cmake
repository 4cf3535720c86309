# exports_and_needed_libraries: the library exports exactly the eight names
# and needs at run time only the two outside libraries and the C library.
set(vgzo_exports
  vgCanvasPutZoImage vgfCanvasPutZoImage qmCanvasPutZoImage
  vgCanvasGetZoImage qmCanvasGetZoImage
  vgContextZoImage vgCanvasPatternZoImage vgCanvasStippleZoImage)
list(JOIN vgzo_exports " " vgzo_exports_text)

if(VGZO_USE_STANDINS)
  if(WIN32)
    set(vgzo_outside $<TARGET_FILE:vg> $<TARGET_FILE:zo>)
  else()
    set(vgzo_outside $<TARGET_SONAME_FILE:vg> $<TARGET_SONAME_FILE:zo>)
  endif()
else()
  set(vgzo_outside ${VGZO_VG_LIBRARY} ${VGZO_ZO_LIBRARY})
endif()

if(WIN32)
  set(vgzo_binary_format pe)
  set(vgzo_binary_reader ${CMAKE_OBJDUMP})
  # The C runtime alone: the DLL does without the runtime's start-up code,
  # which would import from KERNEL32.dll.
  set(vgzo_system_libraries "msvcrt.dll")
else()
  set(vgzo_binary_format elf)
  set(vgzo_binary_reader ${CMAKE_READELF})
  set(vgzo_system_libraries "libc.so.6")
endif()
if(VGZO_SANITIZE)
  set(vgzo_system_libraries "-")
endif()

add_test(NAME exports_and_needed_libraries
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/check_exports.sh ${vgzo_binary_format}
          ${vgzo_binary_reader} $<TARGET_FILE:vgzo> "${vgzo_exports_text}"
          "${vgzo_system_libraries}" ${vgzo_outside})
