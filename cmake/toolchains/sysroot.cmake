# SPDX-License-Identifier: MIT
# Where a cross build looks for things, for every cross toolchain: libraries,
# headers and packages in the cross sysroot /usr/<triple> first and then in
# CMAKE_PREFIX_PATH as given, so that a prefix of cross-built libraries (the
# canvas and imaging libraries, say) is found where it lies; programs on the
# host only, as the build runs them here.  The includer sets `triple`.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
