// SPDX-License-Identifier: MIT
// Drawing an image on a canvas, in the three coordinate families.
#include "image_format_p.h"

namespace {

// The three canvas functions one coordinate family draws with.
template <typename Coord> struct PutFamily {
    using Rgb = void (*)(vgCanvas *, int32_t, int32_t, const uint8_t *, const uint8_t *,
                         const uint8_t *, Coord, Coord, Coord, Coord, int32_t, int32_t, int32_t,
                         int32_t);
    using Rgba = void (*)(vgCanvas *, int32_t, int32_t, const uint8_t *, const uint8_t *,
                          const uint8_t *, const uint8_t *, Coord, Coord, Coord, Coord, int32_t,
                          int32_t, int32_t, int32_t);
    using Map = void (*)(vgCanvas *, int32_t, int32_t, const uint8_t *, const vgColor *, Coord,
                         Coord, Coord, Coord, int32_t, int32_t, int32_t, int32_t);
    Rgb rgb;
    Rgba rgba;
    Map map;
};

constexpr PutFamily<int32_t> vg_family{vgCanvasPutImageRectRGB, vgCanvasPutImageRectRGBA,
                                       vgCanvasPutImageRectMap};
constexpr PutFamily<double> vgf_family{vgfCanvasPutImageRectRGB, vgfCanvasPutImageRectRGBA,
                                       vgfCanvasPutImageRectMap};
constexpr PutFamily<double> qm_family{qmCanvasPutImageRectRGB, qmCanvasPutImageRectRGBA,
                                      qmCanvasPutImageRectMap};

// Picks the family's function for the image's colour space and alpha plane and
// hands it the image's own planes; the trailing zeros select the whole image.
// The coordinates pass through untouched and the canvas is not checked.  The
// canvas reads width x height samples of each plane, so a record whose planes
// do not cover that is left alone, as is a null image or planes array.
template <typename Coord, const PutFamily<Coord> &family>
inline void put_image(vgCanvas *canvas, const zoImage *image, Coord x, Coord y, Coord w, Coord h) {
    if (!vgzo::planes_cover_image(image) || !vgzo::has_byte_samples(image)) {
        return;
    }
    uint8_t *const *planes = image->planes;
    if (image->color_space == ZO_COLOR_SPACE_RGB) {
        if (image->has_alpha != 0) {
            family.rgba(canvas, image->width, image->height, planes[0], planes[1], planes[2],
                        planes[3], x, y, w, h, 0, 0, 0, 0);
        } else {
            family.rgb(canvas, image->width, image->height, planes[0], planes[1], planes[2], x, y,
                       w, h, 0, 0, 0, 0);
        }
    } else if (vgzo::is_indexed(image)) {
        family.map(canvas, image->width, image->height, planes[0], image->palette, x, y, w, h, 0, 0,
                   0, 0);
    }
}

} // namespace

VGZO_API_IMPL void vgCanvasPutZoImage(vgCanvas *canvas, const zoImage *image, int32_t x, int32_t y,
                                      int32_t w, int32_t h) {
    put_image<int32_t, vg_family>(canvas, image, x, y, w, h);
}

VGZO_API_IMPL void vgfCanvasPutZoImage(vgCanvas *canvas, const zoImage *image, double x, double y,
                                       double w, double h) {
    put_image<double, vgf_family>(canvas, image, x, y, w, h);
}

VGZO_API_IMPL void qmCanvasPutZoImage(vgCanvas *canvas, const zoImage *image, double x, double y,
                                      double w, double h) {
    put_image<double, qm_family>(canvas, image, x, y, w, h);
}
