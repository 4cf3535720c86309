# SPDX-License-Identifier: MIT
# Both stand-ins are built alike: a versioned shared library whose users reach
# the declarations from the repository root ("vgzo/vg.h") and its one public
# header ("vg_standin.h") from its include/ folder, with the shared helpers of
# platform/common, strict warnings, and no undefined symbols so that a
# missing definition fails the link instead of the first program that loads
# the library.
include_guard(GLOBAL)
include(GNUInstallDirs)

function(vgzo_standin_library name)
  # Paths are worked out here, not at include time, because the include guard
  # runs this file's top level in the first caller's directory scope only.
  get_filename_component(platform_dir "${CMAKE_CURRENT_FUNCTION_LIST_DIR}" DIRECTORY)
  get_filename_component(repository_root "${platform_dir}" DIRECTORY)
  # Imported targets are per directory, so look Threads up where it is used.
  find_package(Threads REQUIRED)
  # The target is vgzo_<name>, so that it cannot clash with a target of a
  # project that takes vgzo in; the file keeps the library's own name.
  set(target vgzo_${name})
  add_library(${target} SHARED ${ARGN})
  # Its users see its own header (include/<name>_standin.h), the trace
  # record it includes (common/include) and the declarations from the
  # repository root ("vgzo/vg.h"); its own folder and platform/common, with
  # the private headers (*_p.h), are its alone.
  target_include_directories(${target}
    PUBLIC
      $<BUILD_INTERFACE:${repository_root}>
      $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}/include>
      $<BUILD_INTERFACE:${platform_dir}/common/include>
    PRIVATE
      ${CMAKE_CURRENT_SOURCE_DIR}
      ${platform_dir}/common)
  target_link_libraries(${target} PRIVATE Threads::Threads)
  # Inline helpers stay private to each library, so vg and zo never bind to
  # each other's copy of the shared header code.
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME ${name}
    VERSION 1.0.0
    SOVERSION 1
    VISIBILITY_INLINES_HIDDEN ON)
  if(WIN32)
    # vg.dll and zo.dll, as the libraries are named on Windows.  With no
    # dllexport in their sources the linker exports every function of their
    # own, but none of the compiler's runtimes linked in statically.  The
    # runtimes are named, not excluded as "ALL": a Makefiles generator links
    # a DLL's own objects out of an archive too, whose functions must stay
    # exported.
    set_target_properties(${target} PROPERTIES PREFIX "")
    target_link_options(${target} PRIVATE
      LINKER:--exclude-libs,libstdc++.a:libsupc++.a:libgcc.a:libgcc_eh.a:libpthread.a:libwinpthread.a:libmingw32.a:libmingwex.a:libmoldname.a)
  endif()
  vgzo_strict_warnings(${target})
  # The name every user of the library links to, stand-in or installed.
  add_library(vgzo::${name} ALIAS ${target})

  # Clang puts its sanitizer runtimes into executables only, so a sanitized
  # shared library built by it rightly has undefined runtime symbols.  Its
  # function and vptr checks also need the C++ part of that runtime, which a
  # C program linking these libraries does not get; they are left out here.
  if(VGZO_SANITIZED AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    target_compile_options(${target} PRIVATE -fno-sanitize=function,vptr)
  elseif(NOT WIN32) # a DLL never has undefined symbols
    target_link_options(${target} PRIVATE LINKER:--no-undefined)
  endif()
endfunction()

# Install rules of a stand-in: the library with its SONAME links into the
# library folder, its header and the trace record's into
# include/vgzo-standin, and beside them a copy
# of the declarations the headers include ("vgzo/vg.h", and "vgzo/zo.h",
# which includes vg.h), so that the installed stand-ins stand alone, as the
# system's own canvas and imaging libraries would.  They form the "standins"
# component, which a plain install leaves out unless VGZO_INSTALL_STANDINS is
# ON; asking for the component installs it always, which is how the install
# tests get working canvas and imaging libraries out of any build tree.
# Like every install rule of vgzo's, they exist only with VGZO_INSTALL.
function(vgzo_install_standin name header)
  if(NOT VGZO_INSTALL)
    return()
  endif()
  set(exclude EXCLUDE_FROM_ALL)
  if(VGZO_INSTALL_STANDINS)
    set(exclude "")
  endif()
  install(TARGETS vgzo_${name}
    COMPONENT standins ${exclude}
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  get_filename_component(platform_dir "${CMAKE_CURRENT_FUNCTION_LIST_DIR}" DIRECTORY)
  get_filename_component(repository_root "${platform_dir}" DIRECTORY)
  install(FILES include/${header} ${platform_dir}/common/include/trace_record.h
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vgzo-standin
    COMPONENT standins ${exclude})
  install(FILES ${repository_root}/vgzo/vg.h ${repository_root}/vgzo/zo.h
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vgzo-standin/vgzo
    COMPONENT standins ${exclude})
endfunction()
