// SPDX-License-Identifier: MIT
/* The imaging stand-in's call trace and its C interface. */
#include "zo_trace_p.h"

#include "zo_standin.h"

namespace zo_standin {
standin::CallTrace trace;
}

using zo_standin::trace;

extern "C" {

void zoTraceEnable(int on) {
    trace.enable(on != 0);
}
void zoTraceClear(void) {
    trace.clear();
}
size_t zoTraceCount(void) {
    return trace.count();
}
} /* extern "C" */

std::vector<standin::TraceRecord> zoTraceRecords() {
    return trace.records();
}
