// SPDX-License-Identifier: MIT
/* The canvas stand-in's call trace and its C interface. */
#include "vg_trace_p.h"

#include "vg_standin.h"

namespace vg_standin {
standin::CallTrace trace;
}

using vg_standin::trace;

extern "C" {

void vgTraceEnable(int on) {
    trace.enable(on != 0);
}
void vgTraceClear(void) {
    trace.clear();
}
size_t vgTraceCount(void) {
    return trace.count();
}
} /* extern "C" */

std::vector<standin::TraceRecord> vgTraceRecords() {
    return trace.records();
}
