# SPDX-License-Identifier: MIT
# Runs at install time (from install.cmake): writes vgzo.pc from vgzo.pc.in
# for the prefix being installed to.  The caller sets vgzo_pc_template, vgzo_pc_name,
# vgzo_pc_description, vgzo_pc_version, vgzo_pc_libdir and
# vgzo_pc_includedir (the last two as given to GNUInstallDirs, relative to the
# prefix or absolute) and vgzo_pc_outside_dirs, the folders of the canvas and
# imaging libraries vgzo was built against (empty for the stand-ins), and
# vgzo_pc_static, ON for a static vgzo.

# Paths are compared as plain text once made absolute and normalised
# (get_filename_component collapses "." and ".." and drops a trailing "/"), so
# that this runs with CMake 3.18, which has no cmake_path.  The install script
# drops a prefix's trailing "/" too, so "/" arrives empty.
set(vgzo_pc_prefix "${CMAKE_INSTALL_PREFIX}")
if(vgzo_pc_prefix STREQUAL "")
  set(vgzo_pc_prefix "/")
endif()
get_filename_component(vgzo_pc_prefix "${vgzo_pc_prefix}" ABSOLUTE)
foreach(kind IN ITEMS libdir includedir)
  get_filename_component(vgzo_pc_${kind}_abs "${vgzo_pc_${kind}}" ABSOLUTE
                         BASE_DIR "${vgzo_pc_prefix}")
endforeach()
# Sets <out> to whether <path> is <prefix> or lies inside it.
function(vgzo_pc_inside out prefix path)
  string(REGEX REPLACE "/$" "" prefix "${prefix}") # "/" itself
  string(FIND "${path}/" "${prefix}/" position)
  if(position EQUAL 0)
    set(${out} ON PARENT_SCOPE)
  else()
    set(${out} OFF PARENT_SCOPE)
  endif()
endfunction()

# Installed to /usr, vgzo is the system's own, put there by a package manager
# and never moved: the file names its folders as they are, so that pkg-config
# recognises /usr/include and the system's library folders (/usr/lib,
# /usr/lib64, /usr/lib/<multiarch>) and leaves them out of its flags, which a
# path through ${pcfiledir}/../.. would hide from it.  Anywhere else the
# prefix is written relative to the file's own folder (${pcfiledir}) when the
# file lies inside it, so that the installed tree works wherever it is moved
# or unpacked, a release archive's included.
vgzo_pc_inside(libdir_inside "${vgzo_pc_prefix}" "${vgzo_pc_libdir_abs}")
if(libdir_inside AND NOT vgzo_pc_prefix STREQUAL "/usr")
  file(RELATIVE_PATH up "${vgzo_pc_libdir_abs}/pkgconfig" "${vgzo_pc_prefix}")
  string(REGEX REPLACE "/$" "" up "${up}")
  set(vgzo_pc_prefix_value "\${pcfiledir}/${up}")
else()
  set(vgzo_pc_prefix_value "${vgzo_pc_prefix}")
endif()

# Within the prefix the folders are written relative to ${prefix}, as
# pkg-config users expect, so that --define-variable=prefix=... works.
foreach(kind IN ITEMS libdir includedir)
  vgzo_pc_inside(inside "${vgzo_pc_prefix}" "${vgzo_pc_${kind}_abs}")
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
