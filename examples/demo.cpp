// SPDX-License-Identifier: MIT
// A small client of the bridge: it makes a canvas over an image's own planes,
// draws an RGB, an RGBA and an indexed image on it in the three coordinate
// families, reads an area back and draws it again, fills one rectangle with a
// pattern made from an image and paints another through a stipple made from
// an image, and writes the picture as a PNG.  One line per step.
//
//   demo [PICTURE.png]      (default demo.png)
#include <png.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "demo_layout.h"
#include "vg_standin.h"
#include "vgzo/vgzo.h"
#include "zo_standin.h"

namespace {

using namespace demo;

void set_rgb(zoImage *image, int32_t i, Rgb colour) {
    image->planes[0][i] = colour.r;
    image->planes[1][i] = colour.g;
    image->planes[2][i] = colour.b;
}

vgColor encode(Rgb colour) {
    return vgEncodeColor(colour.r, colour.g, colour.b);
}

// A size x size RGB image, pixel x, y of the given colour.
zoImage *make_rgb(int32_t size, Rgb (*colour)(int32_t x, int32_t y)) {
    zoImage *image = zoImageCreateRGB(size, size, 0);
    for (int32_t y = 0; y < size; ++y) {
        for (int32_t x = 0; x < size; ++x) {
            set_rgb(image, y * size + x, colour(x, y));
        }
    }
    return image;
}

zoImage *make_disc() {
    zoImage *image = zoImageCreateRGB(kDiscSize, kDiscSize, 1);
    const double centre = (kDiscSize - 1) / 2.0;
    for (int32_t y = 0; y < kDiscSize; ++y) {
        for (int32_t x = 0; x < kDiscSize; ++x) {
            const int32_t i = y * kDiscSize + x;
            const double distance = std::hypot(x - centre, y - centre) / centre;
            set_rgb(image, i, kDiscColour);
            image->planes[3][i] = static_cast<uint8_t>(distance >= 1 ? 0 : 255 * (1 - distance));
        }
    }
    return image;
}

// Colour space 3: drawn through its palette, and also a stipple mask.
zoImage *make_board() {
    zoImage *image = zoImageCreateIndexed(kBoardWidth, kBoardHeight, ZO_COLOR_SPACE_INDEXED3);
    for (int i = 0; i < 4; ++i) {
        image->palette[i] = encode(kBoardColours[i]);
    }
    for (int32_t y = 0; y < kBoardHeight; ++y) {
        for (int32_t x = 0; x < kBoardWidth; ++x) {
            image->planes[0][y * kBoardWidth + x] = board_index(x, y);
        }
    }
    return image;
}

// Colour space 3 again, as a stipple mask: a dot.
zoImage *make_dot() {
    zoImage *image = zoImageCreateIndexed(kTileSize, kTileSize, ZO_COLOR_SPACE_INDEXED3);
    for (int32_t y = 0; y < kTileSize; ++y) {
        for (int32_t x = 0; x < kTileSize; ++x) {
            image->planes[0][y * kTileSize + x] = dot_index(x, y);
        }
    }
    return image;
}

// The images the demo draws, freed together.
struct Images {
    zoImage *gradient = make_rgb(kGradientSize, gradient_colour);
    zoImage *disc = make_disc();
    zoImage *board = make_board();
    zoImage *stripes = make_rgb(kTileSize, stripe_colour);
    zoImage *dot = make_dot();
    zoImage *area = zoImageCreateRGB(kReadArea.w, kReadArea.h, 0);
    Images() = default;
    Images(const Images &) = delete;
    Images &operator=(const Images &) = delete;
    ~Images() {
        for (zoImage *image : {area, dot, stripes, board, disc, gradient}) {
            zoImageFree(image);
        }
    }
};

// The picture the canvas draws into, with a resolution of 72 dots per inch.
zoImage *make_picture() {
    zoImage *picture = zoImageCreateRGB(kWidth, kHeight, 0);
    zoImageSetAttribString(picture, "ResolutionUnit", "DPI");
    const double dpi = 72;
    zoImageSetAttribReal(picture, "XResolution", &dpi, 1);
    return picture;
}

void draw_in_three_families(vgCanvas *canvas, const Images &images) {
    vgCanvasPutZoImage(canvas, images.gradient, kGradient.x, kGradient.y, kGradient.w, kGradient.h);
    std::puts("vg:      drew the 64x64 RGB gradient into 10,10 140x100");
    vgfCanvasPutZoImage(canvas, images.disc, kDiscX, kDiscY, kDiscW, kDiscH);
    std::puts("vgf:     blended the 96x96 RGBA disc into 170.25,9.5 100.4x99.6");
    qmCanvasPutZoImage(canvas, images.board, kBoard.x, kBoardQmY, kBoard.w, kBoard.h);
    std::puts("qm:      drew the 8x6 indexed board with its lower left corner at 10,10");
}

void read_back(vgCanvas *canvas, zoImage *area) {
    vgCanvasGetZoImage(canvas, area, kReadArea.x, kReadArea.y);
    vgCanvasPutZoImage(canvas, area, kCopy.x, kCopy.y, kCopy.w, kCopy.h);
    std::puts("get:     read 48x48 of the gradient at 60,40 and drew it again at 170,125");
}

// Returns whether the canvas took both fills.
bool fill_through_pattern_and_stipple(vgCanvas *canvas, const Images &images) {
    vgCanvasPatternZoImage(canvas, images.stripes);
    const bool patterned = vgCanvasGetPattern(canvas, nullptr, nullptr) != nullptr;
    vgCanvasFillRect(canvas, kPatternFill.x, kPatternFill.y, kPatternFill.w, kPatternFill.h, 0);
    std::puts("pattern: filled 230,125 80x50 with the 16x16 striped image as the pattern");

    vgCanvasPattern(canvas, 0, 0, nullptr); // none: the fill's own colour again
    vgCanvasStippleZoImage(canvas, images.dot);
    const bool stippled = vgCanvasGetStipple(canvas, nullptr, nullptr) == images.dot->planes[0];
    vgCanvasFillRect(canvas, kStippleFill.x, kStippleFill.y, kStippleFill.w, kStippleFill.h,
                     encode(kWhite));
    std::puts("stipple: painted 230,180 80x50 white through the dot image's own plane");
    return patterned && stippled;
}

// Writes the picture's three planes as an 8-bit RGB PNG: to a temporary name
// beside `path` first, renamed once complete, so that no half-written file
// ever carries the final name.  Says why on failure.
bool write_png(const zoImage *picture, const std::string &path, std::string &why) {
    std::vector<uint8_t> pixels(static_cast<std::size_t>(picture->pixel_count) * 3);
    for (int32_t i = 0; i < picture->pixel_count; ++i) {
        for (int c = 0; c < 3; ++c) {
            pixels[static_cast<std::size_t>(i) * 3 + c] = picture->planes[c][i];
        }
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(picture->width);
    image.height = static_cast<png_uint_32>(picture->height);
    image.format = PNG_FORMAT_RGB;
    const std::string part = path + ".part";
    errno = 0;
    if (png_image_write_to_file(&image, part.c_str(), 0, pixels.data(), 0, nullptr) == 0) {
        why = errno != 0 ? std::strerror(errno) : image.message;
        png_image_free(&image);
        std::remove(part.c_str());
        return false;
    }
    if (std::rename(part.c_str(), path.c_str()) != 0) {
        why = std::strerror(errno);
        std::remove(part.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv) {
    const std::string path = argc > 1 ? argv[1] : "demo.png";
    zoImage *picture = make_picture();
    vgCanvas *canvas = vgCanvasCreateWithContext(vgContextZoImage(), picture);
    if (canvas == nullptr) {
        std::fputs("demo: could not make a canvas over the image\n", stderr);
        zoImageFree(picture);
        return 1;
    }
    std::printf("canvas:  %dx%d over the image's own planes, %.5g pixels/mm\n",
                vgCanvasWidth(canvas), vgCanvasHeight(canvas), vgCanvasResolution(canvas));
    vgCanvasFillRect(canvas, 0, 0, kWidth, kHeight, encode(kBackground));

    bool ok = true;
    {
        const Images images;
        draw_in_three_families(canvas, images);
        read_back(canvas, images.area);
        ok = fill_through_pattern_and_stipple(canvas, images);
        vgCanvasDestroy(canvas); // before the images its stipple and planes are
    }

    std::string why;
    if (!write_png(picture, path, why)) {
        std::fprintf(stderr, "demo: could not write %s: %s\n", path.c_str(), why.c_str());
        ok = false;
    } else {
        std::printf("wrote   %s\n", path.c_str());
    }
    zoImageFree(picture);
    return ok ? 0 : 1;
}
