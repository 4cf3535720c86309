// SPDX-License-Identifier: MIT
// Checks the demo's picture: a PNG of the demo's size that shows every region
// (demo_layout.h): the gradient, the disc, the board, the read-back copy, the
// pattern fill and the stipple fill, on the background.  Given a reference
// picture too, it also checks that every pixel is the reference's, and tells
// how many differ and where the first one is.  Pixels, not files, are
// compared: libpng and zlib versions encode the same pixels differently.
//
//   check_picture PICTURE.png [REFERENCE.png]
#include <png.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "demo_layout.h"

namespace {

using namespace demo;

std::vector<uint8_t> pixels; // the picture's, 3 bytes a pixel
int failures = 0;

Rgb at(int32_t x, int32_t y) {
    const std::size_t i = (static_cast<std::size_t>(y) * kWidth + x) * 3;
    return {pixels[i], pixels[i + 1], pixels[i + 2]};
}

// The pixel at x, y is `expected`, each channel within `tolerance`.
void expect(const char *region, int32_t x, int32_t y, Rgb expected, int tolerance = 0) {
    const Rgb got = at(x, y);
    const auto near = [tolerance](int a, int b) { return std::abs(a - b) <= tolerance; };
    if (!near(got.r, expected.r) || !near(got.g, expected.g) || !near(got.b, expected.b)) {
        std::printf("%s: pixel %d,%d is %d,%d,%d, expected %d,%d,%d\n", region, x, y, got.r, got.g,
                    got.b, expected.r, expected.g, expected.b);
        ++failures;
    }
}

void check_regions() {
    expect("background", kWidth - 1, kHeight - 1, kBackground);
    expect("background", kGradient.x - 1, kGradient.y, kBackground);

    // Corners of the gradient, scaled from 64 x 64 into 140 x 100.
    expect("gradient", kGradient.x, kGradient.y, gradient_colour(0, 0));
    expect("gradient", kGradient.x + kGradient.w - 1, kGradient.y + kGradient.h - 1,
           gradient_colour(kGradientSize - 1, kGradientSize - 1));

    // Opaque at the disc's centre, transparent in its box's corner.
    expect("disc", kDisc.x + kDisc.w / 2, kDisc.y + kDisc.h / 2, kDiscColour, 8);
    expect("disc", kDisc.x, kDisc.y, kBackground);

    // The board's first two cells of its top line, and its last cell.
    const int32_t cell_w = kBoard.w / kBoardWidth;
    expect("board", kBoard.x + 2, kBoard.y + 2, kBoardColours[board_index(0, 0)]);
    expect("board", kBoard.x + cell_w + 4, kBoard.y + 2, kBoardColours[board_index(1, 0)]);
    expect("board", kBoard.x + kBoard.w - 2, kBoard.y + kBoard.h - 2,
           kBoardColours[board_index(kBoardWidth - 1, kBoardHeight - 1)]);

    // The copy is the area it was read from, pixel for pixel.
    for (int32_t d : {0, 17, kCopy.w - 1}) {
        const Rgb source = at(kReadArea.x + d, kReadArea.y + d);
        expect("read-back copy", kCopy.x + d, kCopy.y + d, source);
    }

    // Diagonal stripes, tiled from the canvas's top left corner.
    for (int32_t d = 0; d < kTileSize; d += 3) {
        const int32_t x = kPatternFill.x + d;
        const int32_t y = kPatternFill.y + 2 * d;
        expect("pattern fill", x, y, stripe_colour(x, y));
    }

    // White in the dots, background between them.
    for (int32_t d = 0; d < kTileSize; d += 2) {
        const int32_t x = kStippleFill.x + d;
        const int32_t y = kStippleFill.y + 5;
        expect("stipple fill", x, y, dot_index(x, y) != 0 ? kWhite : kBackground);
    }
}

// Reads `path` as 8-bit RGB pixels of the demo's size into `into`; says why
// not otherwise.
bool read_picture(const char *path, std::vector<uint8_t> &into) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path) == 0) {
        std::printf("cannot read %s: %s\n", path, image.message);
        return false;
    }
    if (image.width != kWidth || image.height != kHeight) {
        std::printf("%s is %ux%u, expected %dx%d\n", path, image.width, image.height, kWidth,
                    kHeight);
        png_image_free(&image);
        return false;
    }
    image.format = PNG_FORMAT_RGB;
    into.resize(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, into.data(), 0, nullptr) == 0) {
        std::printf("cannot decode %s: %s\n", path, image.message);
        return false;
    }
    return true;
}

// Compares the picture with the reference's pixels, row by row.
void compare_with(const char *reference_path, const std::vector<uint8_t> &reference) {
    int32_t differing = 0;
    int32_t first = -1;
    for (int32_t i = 0; i < kWidth * kHeight; ++i) {
        const std::size_t at_byte = static_cast<std::size_t>(i) * 3;
        if (std::memcmp(&pixels[at_byte], &reference[at_byte], 3) != 0) {
            first = differing == 0 ? i : first;
            ++differing;
        }
    }
    if (differing == 0) {
        return;
    }
    const int32_t x = first % kWidth;
    const int32_t y = first / kWidth;
    const Rgb got = at(x, y);
    const std::size_t at_byte = static_cast<std::size_t>(first) * 3;
    std::printf("%d of %d pixels differ from %s; the first is %d,%d: %d,%d,%d, expected "
                "%d,%d,%d\n",
                differing, kWidth * kHeight, reference_path, x, y, got.r, got.g, got.b,
                reference[at_byte], reference[at_byte + 1], reference[at_byte + 2]);
    ++failures;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2 && argc != 3) {
        std::fputs("usage: check_picture PICTURE.png [REFERENCE.png]\n", stderr);
        return 2;
    }
    if (!read_picture(argv[1], pixels)) {
        return 1;
    }
    check_regions();
    if (argc == 3) {
        std::vector<uint8_t> reference;
        if (!read_picture(argv[2], reference)) {
            return 1;
        }
        compare_with(argv[2], reference);
    }
    if (failures == 0) {
        std::printf("%s: %dx%d, every region as drawn%s\n", argv[1], kWidth, kHeight,
                    argc == 3 ? ", every pixel as the reference's" : "");
    }
    return failures == 0 ? 0 : 1;
}
