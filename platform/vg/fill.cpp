// SPDX-License-Identifier: MIT
/* Colour encoding and the canvas's fill pattern and stipple mask. */
#include <cstdint>
#include <exception>
#include <vector>

#include "canvas_p.h"
#include "vg_trace_p.h"

using vg_standin::live_canvas;
using vg_standin::trace;

namespace {

/* Entries of a width x height table, or -1 when a side is negative. */
int64_t entry_count(int32_t width, int32_t height) {
    return width < 0 || height < 0 ? -1 : int64_t{width} * height;
}

} // namespace

extern "C" {

vgColor vgEncodeColor(uint8_t red, uint8_t green, uint8_t blue) {
    trace.call("vgEncodeColor", red, green, blue);
    return 0xFF000000u | uint32_t{red} << 16 | uint32_t{green} << 8 | blue;
}

vgColor vgEncodeColorAlpha(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha) {
    trace.call("vgEncodeColorAlpha", red, green, blue, alpha);
    return uint32_t{alpha} << 24 | uint32_t{red} << 16 | uint32_t{green} << 8 | blue;
}

void vgCanvasPattern(vgCanvas *canvas, int32_t width, int32_t height, const vgColor *colors) {
    trace.call("vgCanvasPattern", canvas, width, height, colors);
    canvas = live_canvas(canvas);
    const int64_t count = entry_count(width, height);
    if (!canvas || count < 0 || (count > 0 && !colors)) {
        return;
    }
    try {
        /* Reuse the kept pattern's memory unless colors points into it; then
           copy before replacing. */
        std::vector<vgColor> &kept = canvas->pattern;
        const bool aliases =
            !kept.empty() && colors >= kept.data() && colors < kept.data() + kept.size();
        if (aliases) {
            std::vector<vgColor> copy(colors, colors + count);
            kept.swap(copy);
        } else {
            kept.assign(colors, colors + count);
        }
        canvas->pattern_width = width;
        canvas->pattern_height = height;
        canvas->has_pattern = true;
    } catch (const std::exception &) {
        /* Out of memory: the old pattern stays. */
    }
}

void vgCanvasStipple(vgCanvas *canvas, int32_t width, int32_t height, const uint8_t *mask) {
    trace.call("vgCanvasStipple", canvas, width, height, mask);
    canvas = live_canvas(canvas);
    const int64_t count = entry_count(width, height);
    if (!canvas || count < 0 || (count > 0 && !mask)) {
        return;
    }
    canvas->stipple = mask;
    canvas->stipple_width = width;
    canvas->stipple_height = height;
}

} /* extern "C" */
