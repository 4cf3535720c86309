// SPDX-License-Identifier: MIT
// How the library defines its exports; every source file of the library
// includes this first.
//
// vgzo.h declares the eight exports with VGZO_API, which marks them for a
// shared library: dllexport while the DLL is built (VGZO_BUILDING_LIBRARY,
// set here), default visibility elsewhere, where everything else is hidden
// (-fvisibility=hidden) and the version script keeps only these eight.  Each
// of the eight definitions starts with VGZO_API_IMPL: C names, with the
// declaration's marks, so that `git grep -n '^VGZO_API_IMPL'` lists them.
#ifndef VGZO_API_P_H
#define VGZO_API_P_H

#define VGZO_BUILDING_LIBRARY
#include "vgzo.h"

#define VGZO_API_IMPL extern "C" VGZO_API

#endif // VGZO_API_P_H
