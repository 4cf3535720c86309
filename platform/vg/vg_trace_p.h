/* SPDX-License-Identifier: MIT */
/* The canvas stand-in's call trace, shared by its source files. */
#ifndef VG_STANDIN_TRACE_P_H
#define VG_STANDIN_TRACE_P_H

#include "call_trace_p.h"

namespace vg_standin {
extern standin::CallTrace trace;
}

#endif /* VG_STANDIN_TRACE_P_H */
