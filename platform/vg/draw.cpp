// SPDX-License-Identifier: MIT
/* Put and Get in the three coordinate families.  Every family is reduced to
 * one integer area in top-left coordinates, held in 64 bits so that no sum or
 * product of 32-bit inputs can overflow; a single scaler then draws any of
 * the three source formats. */
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "canvas_p.h"
#include "vg_trace_p.h"

using vg_standin::live_canvas;
using vg_standin::trace;

namespace {

struct Area {
    int64_t x, y, w, h;
};

struct Pixel {
    uint8_t red, green, blue, alpha;
};

/* Where an area's y is measured from: vg and vgf count lines down from the
 * top, qm counts up from the bottom to the area's lower edge. */
enum class Origin { top, bottom };

/* Nearest integer, halves away from zero; nothing for a value that is not
 * finite or does not fit 32 bits, since no sensible area starts there. */
std::optional<int64_t> round_coordinate(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const double rounded = std::round(value);
    if (rounded < INT32_MIN || rounded > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<int64_t>(rounded);
}

std::optional<Area> round_area(double x, double y, double w, double h) {
    const auto rx = round_coordinate(x);
    const auto ry = round_coordinate(y);
    const auto rw = round_coordinate(w);
    const auto rh = round_coordinate(h);
    if (!rx || !ry || !rw || !rh) {
        return std::nullopt;
    }
    return Area{*rx, *ry, *rw, *rh};
}

/* The top line of an area whose y is measured from `origin`. */
int64_t top_line(const vgCanvas &canvas, int64_t y, int64_t h, Origin origin) {
    return origin == Origin::top ? y : canvas.height - y - h;
}

/* The part of the source image to draw: all of it for 0, 0, 0, 0 or an empty
 * size, else the given rectangle cut to the image; nothing if that is empty. */
std::optional<Area> source_area(int32_t width, int32_t height, const Area &wanted) {
    if (wanted.w <= 0 || wanted.h <= 0) {
        return Area{0, 0, width, height};
    }
    const int64_t x0 = std::max<int64_t>(wanted.x, 0);
    const int64_t y0 = std::max<int64_t>(wanted.y, 0);
    const int64_t x1 = std::min<int64_t>(wanted.x + wanted.w, width);
    const int64_t y1 = std::min<int64_t>(wanted.y + wanted.h, height);
    if (x1 <= x0 || y1 <= y0) {
        return std::nullopt;
    }
    return Area{x0, y0, x1 - x0, y1 - y0};
}

/* Nearest neighbour: the source sample under the centre of destination
 * sample i, when `from` samples are stretched over `to`.  With i < to and
 * both below 2^31 the product stays below 2^63. */
int64_t nearest(int64_t i, int64_t from, int64_t to) {
    return (2 * i + 1) * from / (2 * to);
}

uint8_t mix(unsigned source, unsigned target, unsigned alpha) {
    return static_cast<uint8_t>((source * alpha + target * (255 - alpha) + 127) / 255);
}

void blend(vgCanvas &canvas, int64_t at, Pixel pixel) {
    uint8_t *const *planes = canvas.planes;
    planes[0][at] = mix(pixel.red, planes[0][at], pixel.alpha);
    planes[1][at] = mix(pixel.green, planes[1][at], pixel.alpha);
    planes[2][at] = mix(pixel.blue, planes[2][at], pixel.alpha);
    if (planes[3]) {
        planes[3][at] =
            static_cast<uint8_t>(pixel.alpha + planes[3][at] * (255u - pixel.alpha) / 255);
    }
}

/* The three source formats: whether their planes are usable, and the pixel at a
 * sample offset. */
struct RgbSource {
    const uint8_t *red, *green, *blue;
    bool usable() const { return red && green && blue; }
    Pixel operator()(int64_t at) const { return {red[at], green[at], blue[at], 255}; }
};

struct RgbaSource {
    const uint8_t *red, *green, *blue, *alpha;
    bool usable() const { return red && green && blue && alpha; }
    Pixel operator()(int64_t at) const { return {red[at], green[at], blue[at], alpha[at]}; }
};

struct MapSource {
    const uint8_t *index;
    const vgColor *palette;
    bool usable() const { return index && palette; }
    Pixel operator()(int64_t at) const {
        const vgColor color = palette[index[at]];
        return {static_cast<uint8_t>(color >> 16), static_cast<uint8_t>(color >> 8),
                static_cast<uint8_t>(color), static_cast<uint8_t>(color >> 24)};
    }
};

/* Scales `from` of a source image `stride` samples wide into `to`, clipped
 * to the canvas. */
template <class Source>
void scale(vgCanvas &canvas, const Area &to, const Area &from, int64_t stride,
           const Source &source) {
    const int64_t x0 = std::max<int64_t>(to.x, 0);
    const int64_t y0 = std::max<int64_t>(to.y, 0);
    const int64_t x1 = std::min<int64_t>(to.x + to.w, canvas.width);
    const int64_t y1 = std::min<int64_t>(to.y + to.h, canvas.height);
    for (int64_t y = y0; y < y1; ++y) {
        const int64_t source_line = (from.y + nearest(y - to.y, from.h, to.h)) * stride + from.x;
        const int64_t line = y * canvas.width;
        for (int64_t x = x0; x < x1; ++x) {
            blend(canvas, line + x, source(source_line + nearest(x - to.x, from.w, to.w)));
        }
    }
}

/* Everything a Put shares once its family has rounded the area; `to` is
 * empty when the coordinates could not be rounded. */
template <class Source>
void put(vgCanvas *handle, int32_t width, int32_t height, const Source &source,
         std::optional<Area> to, Origin origin, const Area &wanted) {
    vgCanvas *canvas = live_canvas(handle);
    if (!canvas || width <= 0 || height <= 0 || !source.usable() || !to || to->w <= 0 ||
        to->h <= 0) {
        return;
    }
    const auto from = source_area(width, height, wanted);
    if (!from) {
        return;
    }
    to->y = top_line(*canvas, to->y, to->h, origin);
    scale(*canvas, *to, *from, width, source);
}

/* Copies the w x h area whose top left is x, top into three planes; samples
 * outside the canvas read as 0. */
void get(vgCanvas *handle, uint8_t *red, uint8_t *green, uint8_t *blue, std::optional<int64_t> x,
         std::optional<int64_t> y, int32_t w, int32_t h, Origin origin) {
    const vgCanvas *canvas = live_canvas(handle);
    if (!canvas || !red || !green || !blue || !x || !y || w <= 0 || h <= 0) {
        return;
    }
    const int64_t top = top_line(*canvas, *y, h, origin);
    uint8_t *const out[3] = {red, green, blue};
    for (int64_t j = 0; j < h; ++j) {
        const int64_t cy = top + j;
        for (int64_t i = 0; i < w; ++i) {
            const int64_t cx = *x + i;
            const bool inside = cx >= 0 && cy >= 0 && cx < canvas->width && cy < canvas->height;
            const int64_t from = cy * canvas->width + cx;
            for (int plane = 0; plane < 3; ++plane) {
                out[plane][j * w + i] = inside ? canvas->planes[plane][from] : 0;
            }
        }
    }
}

/* The colour a fill paints at canvas pixel x, y, or nothing where the
 * stipple masks it out. */
std::optional<Pixel> fill_colour(const vgCanvas &canvas, int64_t x, int64_t y, vgColor color) {
    if (canvas.stipple != nullptr && canvas.stipple_width > 0 && canvas.stipple_height > 0 &&
        canvas.stipple[(y % canvas.stipple_height) * canvas.stipple_width +
                       x % canvas.stipple_width] == 0) {
        return std::nullopt;
    }
    if (canvas.has_pattern && !canvas.pattern.empty()) {
        color = canvas.pattern[static_cast<size_t>(
            (y % canvas.pattern_height) * canvas.pattern_width + x % canvas.pattern_width)];
    }
    return Pixel{static_cast<uint8_t>(color >> 16), static_cast<uint8_t>(color >> 8),
                 static_cast<uint8_t>(color), static_cast<uint8_t>(color >> 24)};
}

} // namespace

extern "C" {

void vgCanvasFillRect(vgCanvas *canvas, int32_t x, int32_t y, int32_t w, int32_t h, vgColor color) {
    canvas = live_canvas(canvas);
    if (!canvas) {
        return;
    }
    const int64_t x0 = std::max<int64_t>(x, 0);
    const int64_t y0 = std::max<int64_t>(y, 0);
    const int64_t x1 = std::min<int64_t>(int64_t{x} + w, canvas->width);
    const int64_t y1 = std::min<int64_t>(int64_t{y} + h, canvas->height);
    for (int64_t cy = y0; cy < y1; ++cy) {
        for (int64_t cx = x0; cx < x1; ++cx) {
            if (const auto pixel = fill_colour(*canvas, cx, cy, color)) {
                blend(*canvas, cy * canvas->width + cx, *pixel);
            }
        }
    }
}

void vgCanvasPutImageRectRGB(vgCanvas *canvas, int32_t width, int32_t height, const uint8_t *red,
                             const uint8_t *green, const uint8_t *blue, int32_t x, int32_t y,
                             int32_t w, int32_t h, int32_t src_x, int32_t src_y, int32_t src_w,
                             int32_t src_h) {
    trace.call("vgCanvasPutImageRectRGB", canvas, width, height, red, green, blue, x, y, w, h,
               src_x, src_y, src_w, src_h);
    put(canvas, width, height, RgbSource{red, green, blue}, Area{x, y, w, h}, Origin::top,
        Area{src_x, src_y, src_w, src_h});
}

void vgCanvasPutImageRectRGBA(vgCanvas *canvas, int32_t width, int32_t height, const uint8_t *red,
                              const uint8_t *green, const uint8_t *blue, const uint8_t *alpha,
                              int32_t x, int32_t y, int32_t w, int32_t h, int32_t src_x,
                              int32_t src_y, int32_t src_w, int32_t src_h) {
    trace.call("vgCanvasPutImageRectRGBA", canvas, width, height, red, green, blue, alpha, x, y, w,
               h, src_x, src_y, src_w, src_h);
    put(canvas, width, height, RgbaSource{red, green, blue, alpha}, Area{x, y, w, h}, Origin::top,
        Area{src_x, src_y, src_w, src_h});
}

void vgCanvasPutImageRectMap(vgCanvas *canvas, int32_t width, int32_t height, const uint8_t *index,
                             const vgColor *palette, int32_t x, int32_t y, int32_t w, int32_t h,
                             int32_t src_x, int32_t src_y, int32_t src_w, int32_t src_h) {
    trace.call("vgCanvasPutImageRectMap", canvas, width, height, index, palette, x, y, w, h, src_x,
               src_y, src_w, src_h);
    put(canvas, width, height, MapSource{index, palette}, Area{x, y, w, h}, Origin::top,
        Area{src_x, src_y, src_w, src_h});
}

void vgfCanvasPutImageRectRGB(vgCanvas *canvas, int32_t width, int32_t height, const uint8_t *red,
                              const uint8_t *green, const uint8_t *blue, double x, double y,
                              double w, double h, int32_t src_x, int32_t src_y, int32_t src_w,
                              int32_t src_h) {
    trace.call("vgfCanvasPutImageRectRGB", canvas, width, height, red, green, blue, x, y, w, h,
               src_x, src_y, src_w, src_h);
    put(canvas, width, height, RgbSource{red, green, blue}, round_area(x, y, w, h), Origin::top,
        Area{src_x, src_y, src_w, src_h});
}

void vgfCanvasPutImageRectRGBA(vgCanvas *canvas, int32_t width, int32_t height, const uint8_t *red,
                               const uint8_t *green, const uint8_t *blue, const uint8_t *alpha,
                               double x, double y, double w, double h, int32_t src_x, int32_t src_y,
                               int32_t src_w, int32_t src_h) {
    trace.call("vgfCanvasPutImageRectRGBA", canvas, width, height, red, green, blue, alpha, x, y, w,
               h, src_x, src_y, src_w, src_h);
    put(canvas, width, height, RgbaSource{red, green, blue, alpha}, round_area(x, y, w, h),
        Origin::top, Area{src_x, src_y, src_w, src_h});
}

void vgfCanvasPutImageRectMap(vgCanvas *canvas, int32_t width, int32_t height, const uint8_t *index,
                              const vgColor *palette, double x, double y, double w, double h,
                              int32_t src_x, int32_t src_y, int32_t src_w, int32_t src_h) {
    trace.call("vgfCanvasPutImageRectMap", canvas, width, height, index, palette, x, y, w, h, src_x,
               src_y, src_w, src_h);
    put(canvas, width, height, MapSource{index, palette}, round_area(x, y, w, h), Origin::top,
        Area{src_x, src_y, src_w, src_h});
}

void qmCanvasPutImageRectRGB(vgCanvas *canvas, int32_t width, int32_t height, const uint8_t *red,
                             const uint8_t *green, const uint8_t *blue, double x, double y,
                             double w, double h, int32_t src_x, int32_t src_y, int32_t src_w,
                             int32_t src_h) {
    trace.call("qmCanvasPutImageRectRGB", canvas, width, height, red, green, blue, x, y, w, h,
               src_x, src_y, src_w, src_h);
    put(canvas, width, height, RgbSource{red, green, blue}, round_area(x, y, w, h), Origin::bottom,
        Area{src_x, src_y, src_w, src_h});
}

void qmCanvasPutImageRectRGBA(vgCanvas *canvas, int32_t width, int32_t height, const uint8_t *red,
                              const uint8_t *green, const uint8_t *blue, const uint8_t *alpha,
                              double x, double y, double w, double h, int32_t src_x, int32_t src_y,
                              int32_t src_w, int32_t src_h) {
    trace.call("qmCanvasPutImageRectRGBA", canvas, width, height, red, green, blue, alpha, x, y, w,
               h, src_x, src_y, src_w, src_h);
    put(canvas, width, height, RgbaSource{red, green, blue, alpha}, round_area(x, y, w, h),
        Origin::bottom, Area{src_x, src_y, src_w, src_h});
}

void qmCanvasPutImageRectMap(vgCanvas *canvas, int32_t width, int32_t height, const uint8_t *index,
                             const vgColor *palette, double x, double y, double w, double h,
                             int32_t src_x, int32_t src_y, int32_t src_w, int32_t src_h) {
    trace.call("qmCanvasPutImageRectMap", canvas, width, height, index, palette, x, y, w, h, src_x,
               src_y, src_w, src_h);
    put(canvas, width, height, MapSource{index, palette}, round_area(x, y, w, h), Origin::bottom,
        Area{src_x, src_y, src_w, src_h});
}

void vgCanvasGetImageRGB(vgCanvas *canvas, uint8_t *red, uint8_t *green, uint8_t *blue, int32_t x,
                         int32_t y, int32_t w, int32_t h) {
    trace.call("vgCanvasGetImageRGB", canvas, red, green, blue, x, y, w, h);
    get(canvas, red, green, blue, x, y, w, h, Origin::top);
}

void qmCanvasGetImageRGB(vgCanvas *canvas, uint8_t *red, uint8_t *green, uint8_t *blue, double x,
                         double y, int32_t w, int32_t h) {
    trace.call("qmCanvasGetImageRGB", canvas, red, green, blue, x, y, w, h);
    get(canvas, red, green, blue, round_coordinate(x), round_coordinate(y), w, h, Origin::bottom);
}

} /* extern "C" */
