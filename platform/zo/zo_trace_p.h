/* SPDX-License-Identifier: MIT */
/* The imaging stand-in's call trace, shared by its source files. */
#ifndef ZO_STANDIN_TRACE_P_H
#define ZO_STANDIN_TRACE_P_H

#include "call_trace_p.h"

namespace zo_standin {
extern standin::CallTrace trace;
}

#endif /* ZO_STANDIN_TRACE_P_H */
