// SPDX-License-Identifier: MIT
// Canvases and stand-in images for the checks of the library, and a session
// of the stand-ins' call traces (read with vgTraceRecords and zoTraceRecords).
#ifndef VGZO_TESTKIT_TESTKIT_H
#define VGZO_TESTKIT_TESTKIT_H

#include <memory>

#include "vg_standin.h"
#include "zo_standin.h"

namespace testkit {

// A canvas record without the "VG" signature: the canvas library records
// calls on it and otherwise ignores them, and the fills refuse it.
struct FakeCanvas {
    alignas(16) unsigned char bytes[64] = {'X', 'X'};
    vgCanvas *get() { return reinterpret_cast<vgCanvas *>(bytes); }
};

struct CanvasDeleter {
    void operator()(vgCanvas *canvas) const { vgCanvasDestroy(canvas); }
};
struct ImageDeleter {
    void operator()(zoImage *image) const { zoImageFree(image); }
};
using Canvas = std::unique_ptr<vgCanvas, CanvasDeleter>;
using Image = std::unique_ptr<zoImage, ImageDeleter>; // made by the imaging stand-in

// Both stand-ins' traces on and empty while it lives, off and empty after.
class TraceSession {
public:
    TraceSession() { restart(); }
    ~TraceSession() {
        vgTraceEnable(0);
        zoTraceEnable(0);
        vgTraceClear();
        zoTraceClear();
    }
    TraceSession(const TraceSession &) = delete;
    TraceSession &operator=(const TraceSession &) = delete;

    static void restart() {
        vgTraceEnable(1);
        zoTraceEnable(1);
        vgTraceClear();
        zoTraceClear();
    }
};

} // namespace testkit

#endif // VGZO_TESTKIT_TESTKIT_H
