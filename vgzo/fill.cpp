// SPDX-License-Identifier: MIT
// Fill pattern and stipple mask from an image.
#include <algorithm>

#include "image_format_p.h"
#include "pattern_array_p.h"

namespace {

// Unlike the drawing operations, the fills make sure the canvas is live: a
// non-null record that begins with the signature "VG".
bool is_live_canvas(const vgCanvas *canvas) {
    if (canvas == nullptr) {
        return false;
    }
    const auto *bytes = reinterpret_cast<const unsigned char *>(canvas);
    return bytes[0] == 'V' && bytes[1] == 'G';
}

// A record a pattern can be made of: a byte image whose pixel_count is a
// count, whose width x height some record could hold, and whose planes and
// palette the conversion reads from are all there.  Its planes need not hold
// the area: only pixel_count samples of each are read.
bool can_make_pattern(const zoImage *image) {
    return vgzo::has_planes_array(image) && vgzo::has_byte_samples(image) &&
           vgzo::has_pixel_count(image) && vgzo::area_fits_pixel_count(image) &&
           vgzo::has_colour_planes(image);
}

// Entries of the pattern array: pixel_count, or width x height if that is
// larger, since the canvas reads width x height entries and must not read past
// the array even for a record whose pixel_count falls short.  At most 2^31 - 1
// for a record a pattern can be made of.
std::size_t pattern_entries(const zoImage *image) {
    return static_cast<std::size_t>(std::max<int64_t>(image->pixel_count, vgzo::area(image)));
}

// The encoding loops stay out of line: with a frame of their own, the planes,
// the array and the counter all fit in callee-saved registers, where inlined
// into the export two of them were reloaded from the stack on every pixel.
[[gnu::noinline]] void encode_rgb(const zoImage *image, vgColor *colors) {
    const uint8_t *red = image->planes[0];
    const uint8_t *green = image->planes[1];
    const uint8_t *blue = image->planes[2];
    const int32_t count = image->pixel_count;
    for (int32_t i = 0; i < count; ++i) {
        colors[i] = vgEncodeColor(red[i], green[i], blue[i]);
    }
}

[[gnu::noinline]] void encode_rgba(const zoImage *image, vgColor *colors) {
    const uint8_t *red = image->planes[0];
    const uint8_t *green = image->planes[1];
    const uint8_t *blue = image->planes[2];
    const uint8_t *alpha = image->planes[3];
    const int32_t count = image->pixel_count;
    for (int32_t i = 0; i < count; ++i) {
        colors[i] = vgEncodeColorAlpha(red[i], green[i], blue[i], alpha[i]);
    }
}

void look_up_palette(const zoImage *image, vgColor *colors) {
    const uint8_t *index = image->planes[0];
    const vgColor *palette = image->palette;
    const int32_t count = image->pixel_count;
    for (int32_t i = 0; i < count; ++i) {
        colors[i] = palette[index[i]];
    }
}

// Fills the zeroed array by colour space; any other space keeps its zeros.
// has_alpha matters only for RGB: an indexed pattern takes the palette alone.
void convert_pixels(const zoImage *image, vgColor *colors) {
    if (image->color_space == ZO_COLOR_SPACE_RGB) {
        if (image->has_alpha != 0) {
            encode_rgba(image, colors);
        } else {
            encode_rgb(image, colors);
        }
    } else if (vgzo::is_indexed(image)) {
        look_up_palette(image, colors);
    }
}

} // namespace

VGZO_API_IMPL void vgCanvasPatternZoImage(vgCanvas *canvas, const zoImage *image) {
    if (!is_live_canvas(canvas) || !can_make_pattern(image)) {
        return;
    }
    // The array starts all zero; without it nothing may be filled or handed
    // on.  It is released when this call returns.
    const vgzo::PatternArray colors(pattern_entries(image));
    if (!colors.usable()) {
        return;
    }
    convert_pixels(image, colors.data());
    vgCanvasPattern(canvas, image->width, image->height, colors.data());
}

// The canvas may fill through the mask long after this call, reading width x
// height bytes of it, so only a plane that holds them is handed on.
VGZO_API_IMPL void vgCanvasStippleZoImage(vgCanvas *canvas, const zoImage *image) {
    if (!is_live_canvas(canvas) || !vgzo::planes_cover_image(image) ||
        !vgzo::has_byte_samples(image) || image->color_space != ZO_COLOR_SPACE_INDEXED3) {
        return;
    }
    // The image's own plane is the mask, not a copy.
    vgCanvasStipple(canvas, image->width, image->height, image->planes[0]);
}
