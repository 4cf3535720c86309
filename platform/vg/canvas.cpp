// SPDX-License-Identifier: MIT
/* Canvas records: creation, disposal and read-only accessors. */
#include <exception>
#include <memory>
#include <mutex>
#include <new>
#include <type_traits>
#include <unordered_set>
#include <utility>

#include "canvas_p.h"

/* Clients recognise a live canvas by its first two bytes. */
static_assert(std::is_standard_layout_v<vgCanvas>, "the signature must lead the record");

using vg_standin::live_canvas;

namespace {

/* The canvases made and not yet disposed of, so that disposal can tell a
 * canvas of its own from a record already freed or made elsewhere without
 * reading it.  Made at the first canvas's creation, so a static object that
 * holds a canvas is destroyed, and disposes of it, before the set is. */
class LiveCanvases {
public:
    void add(const vgCanvas *canvas) {
        const std::scoped_lock lock(mutex_);
        canvases_.insert(canvas);
    }
    /* True, and forgotten, if the canvas was live. */
    bool remove(const vgCanvas *canvas) {
        const std::scoped_lock lock(mutex_);
        return canvases_.erase(canvas) != 0;
    }

private:
    std::mutex mutex_;
    std::unordered_set<const vgCanvas *> canvases_;
};

LiveCanvases &live_canvases() {
    static LiveCanvases canvases;
    return canvases;
}

/* Hands a freshly made canvas to its caller as a live one. */
vgCanvas *register_canvas(std::unique_ptr<vgCanvas> canvas) {
    live_canvases().add(canvas.get());
    return canvas.release();
}

} // namespace

extern "C" {

vgCanvas *vgCanvasCreate(int32_t width, int32_t height) {
    if (width < 1 || height < 1) {
        return nullptr;
    }
    try {
        auto canvas = std::make_unique<vgCanvas>();
        const auto count = static_cast<size_t>(int64_t{width} * height);
        canvas->owned.assign(count * 3, 0); /* black */
        for (size_t plane = 0; plane < 3; ++plane) {
            canvas->planes[plane] = canvas->owned.data() + count * plane;
        }
        canvas->width = width;
        canvas->height = height;
        canvas->set_up = true;
        return register_canvas(std::move(canvas));
    } catch (const std::exception &) {
        return nullptr;
    }
}

vgCanvas *vgCanvasCreateWithContext(const vgContext *context, void *data) {
    if (!context || !context->create_canvas) {
        return nullptr;
    }
    std::unique_ptr<vgCanvas> canvas(new (std::nothrow) vgCanvas);
    if (!canvas) {
        return nullptr;
    }
    context->create_canvas(canvas.get(), data);
    if (!canvas->set_up) {
        return nullptr;
    }
    try {
        return register_canvas(std::move(canvas));
    } catch (const std::exception &) {
        return nullptr;
    }
}

void vgCanvasDestroy(vgCanvas *canvas) {
    /* Only a live canvas of this library is disposed of: a second disposal
     * of the same canvas, or a record made elsewhere, is ignored unread. */
    if (!live_canvases().remove(canvas)) {
        return;
    }
    canvas->signature[0] = 0;
    canvas->signature[1] = 0;
    delete canvas;
}

int32_t vgCanvasWidth(const vgCanvas *canvas) {
    canvas = live_canvas(canvas);
    return canvas ? canvas->width : 0;
}

int32_t vgCanvasHeight(const vgCanvas *canvas) {
    canvas = live_canvas(canvas);
    return canvas ? canvas->height : 0;
}

const uint8_t *vgCanvasPlane(const vgCanvas *canvas, int channel) {
    canvas = live_canvas(canvas);
    if (!canvas || channel < 0 || channel > 3) {
        return nullptr;
    }
    return canvas->planes[channel];
}

vgColor vgCanvasPixel(const vgCanvas *canvas, int32_t x, int32_t y) {
    canvas = live_canvas(canvas);
    if (!canvas || x < 0 || y < 0 || x >= canvas->width || y >= canvas->height) {
        return 0;
    }
    const int64_t at = int64_t{y} * canvas->width + x;
    const uint32_t alpha = canvas->planes[3] ? canvas->planes[3][at] : 255u;
    return alpha << 24 | uint32_t{canvas->planes[0][at]} << 16 |
           uint32_t{canvas->planes[1][at]} << 8 | canvas->planes[2][at];
}

double vgCanvasResolution(const vgCanvas *canvas) {
    canvas = live_canvas(canvas);
    return canvas ? canvas->resolution : 0;
}

const vgColor *vgCanvasGetPattern(const vgCanvas *canvas, int32_t *width, int32_t *height) {
    /* A pattern of no colours is still a pattern: it is told apart from none
     * by a non-null pointer that must not be read. */
    static const vgColor empty_pattern = 0;
    canvas = live_canvas(canvas);
    const bool has = canvas && canvas->has_pattern;
    if (width) {
        *width = has ? canvas->pattern_width : 0;
    }
    if (height) {
        *height = has ? canvas->pattern_height : 0;
    }
    if (!has) {
        return nullptr;
    }
    return canvas->pattern.empty() ? &empty_pattern : canvas->pattern.data();
}

const uint8_t *vgCanvasGetStipple(const vgCanvas *canvas, int32_t *width, int32_t *height) {
    canvas = live_canvas(canvas);
    if (width) {
        *width = canvas ? canvas->stipple_width : 0;
    }
    if (height) {
        *height = canvas ? canvas->stipple_height : 0;
    }
    return canvas ? canvas->stipple : nullptr;
}

} /* extern "C" */
