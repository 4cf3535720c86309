# SPDX-License-Identifier: MIT
# Finds the two outside libraries vgzo is built against and links to: the
# canvas library (libvg) and the imaging library (libzo).  Neither ships a
# CMake package, so they are looked up by name, the usual way:
#
#   find_package(VgzoOutsideLibraries [REQUIRED])
#
# Where it looks: VGZO_VG_LIBRARY / VGZO_ZO_LIBRARY when set to a library file;
# else the prefixes vg_ROOT / zo_ROOT (CMake variables or environment), then
# the folders in VGZO_OUTSIDE_LIBRARY_HINTS, then CMAKE_PREFIX_PATH and the
# system's folders, as find_library searches.
#
# Results:
#   VgzoOutsideLibraries_FOUND   both libraries found
#   vgzo::vg, vgzo::zo           imported targets of the two libraries
#   VGZO_VG_LIBRARY, VGZO_ZO_LIBRARY          the library files (cache)
#   VGZO_VG_INCLUDE_DIR, VGZO_ZO_INCLUDE_DIR  folder of vg_standin.h and
#       zo_standin.h, the creation and inspection functions of this
#       repository's stand-ins, when the libraries found are those (cache;
#       "-NOTFOUND" for other libraries, which vgzo itself does not need)
#   VgzoOutsideLibraries_MISSING a text naming what was not found, for a
#                                caller that reports it in its own words
#
# vgzo declares what it uses of both libraries itself (vgzo/vg.h, vgzo/zo.h),
# so only the library files are required.  Also read by the installed
# package's config file, hence NAME_MISMATCHED below.

# Runs with the policies of the CMake versions vgzo is built with, whatever
# those of the project using it: find_package and include give it a policy
# scope of its own, so the project's are untouched.
cmake_policy(VERSION 3.18...4.3)

set(VgzoOutsideLibraries_MISSING "")
foreach(_vgzo_name IN ITEMS vg zo)
  string(TOUPPER "${_vgzo_name}" _vgzo_upper)
  if(_vgzo_name STREQUAL "vg")
    set(_vgzo_what "canvas library")
  else()
    set(_vgzo_what "imaging library")
  endif()
  set(_vgzo_hints ${${_vgzo_name}_ROOT} $ENV{${_vgzo_name}_ROOT} ${VGZO_OUTSIDE_LIBRARY_HINTS})

  find_library(VGZO_${_vgzo_upper}_LIBRARY NAMES ${_vgzo_name}
    HINTS ${_vgzo_hints}
    PATH_SUFFIXES lib lib64
    DOC "The ${_vgzo_what} (lib${_vgzo_name}) that vgzo links to")
  find_path(VGZO_${_vgzo_upper}_INCLUDE_DIR NAMES ${_vgzo_name}_standin.h
    HINTS ${_vgzo_hints}
    PATH_SUFFIXES include/vgzo-standin vgzo-standin ../include/vgzo-standin
    DOC "Folder of the ${_vgzo_what} stand-in's header (only the stand-ins have it)")
  mark_as_advanced(VGZO_${_vgzo_upper}_LIBRARY VGZO_${_vgzo_upper}_INCLUDE_DIR)

  if(NOT VGZO_${_vgzo_upper}_LIBRARY)
    list(APPEND VgzoOutsideLibraries_MISSING
         "the ${_vgzo_what} lib${_vgzo_name} (set ${_vgzo_name}_ROOT or VGZO_${_vgzo_upper}_LIBRARY)")
  elseif(NOT TARGET vgzo::${_vgzo_name})
    add_library(vgzo::${_vgzo_name} UNKNOWN IMPORTED)
    set_target_properties(vgzo::${_vgzo_name} PROPERTIES
      IMPORTED_LOCATION "${VGZO_${_vgzo_upper}_LIBRARY}")
    if(VGZO_${_vgzo_upper}_INCLUDE_DIR)
      set_target_properties(vgzo::${_vgzo_name} PROPERTIES
        INTERFACE_INCLUDE_DIRECTORIES "${VGZO_${_vgzo_upper}_INCLUDE_DIR}")
    endif()
  endif()
endforeach()
list(JOIN VgzoOutsideLibraries_MISSING " and " VgzoOutsideLibraries_MISSING)

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(VgzoOutsideLibraries
  REQUIRED_VARS VGZO_VG_LIBRARY VGZO_ZO_LIBRARY
  NAME_MISMATCHED
  REASON_FAILURE_MESSAGE "vgzo needs ${VgzoOutsideLibraries_MISSING}.")
unset(_vgzo_name)
unset(_vgzo_upper)
unset(_vgzo_what)
unset(_vgzo_hints)
