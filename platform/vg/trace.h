/* SPDX-License-Identifier: MIT */
/* The canvas stand-in's call trace, shared by its source files. */
#ifndef VG_STANDIN_TRACE_H
#define VG_STANDIN_TRACE_H

#include "call_trace.h"

namespace vg_standin {
extern standin::CallTrace trace;
}

#endif /* VG_STANDIN_TRACE_H */
