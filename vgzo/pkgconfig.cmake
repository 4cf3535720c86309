# SPDX-License-Identifier: MIT
# Runs at install time (from install.cmake): writes vgzo.pc from vgzo.pc.in
# for the prefix being installed to.  The caller sets vgzo_pc_template, vgzo_pc_name,
# vgzo_pc_description, vgzo_pc_version, vgzo_pc_libdir and
# vgzo_pc_includedir (the last two as given to GNUInstallDirs, relative to the
# prefix or absolute) and vgzo_pc_outside_dirs, the folders of the canvas and
# imaging libraries vgzo was built against (empty for the stand-ins), and
# vgzo_pc_static, ON for a static vgzo.

set(vgzo_pc_prefix "${CMAKE_INSTALL_PREFIX}")
cmake_path(ABSOLUTE_PATH vgzo_pc_libdir BASE_DIRECTORY "${vgzo_pc_prefix}"
           NORMALIZE OUTPUT_VARIABLE vgzo_pc_libdir_abs)
cmake_path(ABSOLUTE_PATH vgzo_pc_includedir BASE_DIRECTORY "${vgzo_pc_prefix}"
           NORMALIZE OUTPUT_VARIABLE vgzo_pc_includedir_abs)

# The prefix is written relative to the file's own folder (${pcfiledir}) when
# the file lies inside it, so that the installed tree works wherever it is
# moved or unpacked, a release archive's included.
cmake_path(IS_PREFIX vgzo_pc_prefix "${vgzo_pc_libdir_abs}" NORMALIZE libdir_inside)
if(libdir_inside)
  file(RELATIVE_PATH up "${vgzo_pc_libdir_abs}/pkgconfig" "${vgzo_pc_prefix}")
  string(REGEX REPLACE "/$" "" up "${up}")
  set(vgzo_pc_prefix_value "\${pcfiledir}/${up}")
else()
  set(vgzo_pc_prefix_value "${vgzo_pc_prefix}")
endif()

# Within the prefix the folders are written relative to ${prefix}, as
# pkg-config users expect, so that --define-variable=prefix=... works.
foreach(kind IN ITEMS libdir includedir)
  cmake_path(IS_PREFIX vgzo_pc_prefix "${vgzo_pc_${kind}_abs}" NORMALIZE inside)
  if(inside)
    file(RELATIVE_PATH relative "${vgzo_pc_prefix}" "${vgzo_pc_${kind}_abs}")
    set(vgzo_pc_${kind}_value "\${prefix}/${relative}")
  else()
    set(vgzo_pc_${kind}_value "${vgzo_pc_${kind}_abs}")
  endif()
endforeach()

# The outside libraries' folders, unless they are vgzo's own.
set(vgzo_pc_outside_flags "")
foreach(dir IN LISTS vgzo_pc_outside_dirs)
  if(NOT dir STREQUAL vgzo_pc_libdir_abs)
    string(APPEND vgzo_pc_outside_flags " -L${dir}")
  endif()
endforeach()

# A static vgzo's clients compile with VGZO_STATIC (no dllimport on
# Windows) and link what the library itself needs: the C library alone, which
# every link brings, so Libs.private names nothing more.
set(vgzo_pc_cflags "")
if(vgzo_pc_static)
  set(vgzo_pc_cflags " -DVGZO_STATIC")
endif()

set(vgzo_pc_file "$ENV{DESTDIR}${vgzo_pc_libdir_abs}/pkgconfig/vgzo.pc")
message(STATUS "Installing: ${vgzo_pc_file}")
configure_file("${vgzo_pc_template}" "${vgzo_pc_file}" @ONLY)
# The manifest names installed files without DESTDIR, as file(INSTALL) does.
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${vgzo_pc_libdir_abs}/pkgconfig/vgzo.pc")
