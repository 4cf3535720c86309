// SPDX-License-Identifier: MIT
// Where the demo draws what, shared by the demo and the check of its picture.
#ifndef VGZO_EXAMPLES_DEMO_LAYOUT_H
#define VGZO_EXAMPLES_DEMO_LAYOUT_H

#include <cstdint>

namespace demo {

struct Rect {
    int32_t x, y, w, h; // top left corner and size, in picture pixels
};

struct Rgb {
    uint8_t r, g, b;
};

constexpr int32_t kWidth = 320;
constexpr int32_t kHeight = 240;
constexpr Rgb kBackground{30, 34, 48};

// vg: a 64 x 64 RGB gradient, red across, green down, blue constant.
constexpr int32_t kGradientSize = 64;
constexpr Rect kGradient{10, 10, 140, 100};
constexpr Rgb gradient_colour(int32_t x, int32_t y) {
    return {static_cast<uint8_t>(x * 255 / (kGradientSize - 1)),
            static_cast<uint8_t>(y * 255 / (kGradientSize - 1)), 160};
}

// vgf: a yellow 96 x 96 disc whose alpha fades out towards its rim, placed
// at fractional coordinates (the canvas rounds them: 170, 10, 100 x 100).
constexpr int32_t kDiscSize = 96;
constexpr double kDiscX = 170.25, kDiscY = 9.5, kDiscW = 100.4, kDiscH = 99.6;
constexpr Rect kDisc{170, 10, 100, 100};
constexpr Rgb kDiscColour{255, 220, 40};

// qm: an 8 x 6 indexed checkerboard of four colours, placed by its lower left
// corner with y up; the same image of colour space 3 is the stipple mask.
constexpr int32_t kBoardWidth = 8, kBoardHeight = 6;
constexpr Rect kBoard{10, 125, 140, 105};
constexpr double kBoardQmY = kHeight - kBoard.y - kBoard.h; // lower edge, from the bottom
constexpr Rgb kBoardColours[4] = {{30, 30, 90}, {240, 240, 255}, {200, 40, 40}, {40, 160, 60}};
constexpr uint8_t board_index(int32_t x, int32_t y) {
    return static_cast<uint8_t>((x + y) % 2 + 2 * (y % 2));
}

// Get: a 48 x 48 area of the gradient read back, drawn again 1:1.
constexpr Rect kReadArea{60, 40, 48, 48};
constexpr Rect kCopy{170, 125, 48, 48};

// A rectangle filled with the pattern made from a 16 x 16 RGB image of
// diagonal stripes in two colours, tiled from the canvas's top left corner.
constexpr int32_t kTileSize = 16;
constexpr Rgb kStripes[2] = {{250, 130, 30}, {20, 120, 220}};
constexpr Rgb stripe_colour(int32_t x, int32_t y) {
    return kStripes[((x + y) % kTileSize) / (kTileSize / 2)];
}
constexpr Rect kPatternFill{230, 125, 80, 50};

// A white rectangle painted through the stipple made from a 16 x 16 image of
// colour space 3 holding a dot (index 1) on index 0, tiled the same way: only
// the dots are painted.
constexpr Rgb kWhite{255, 255, 255};
constexpr Rect kStippleFill{230, 180, 80, 50};
constexpr uint8_t dot_index(int32_t x, int32_t y) {
    const int32_t dx = 2 * (x % kTileSize) - (kTileSize - 1);
    const int32_t dy = 2 * (y % kTileSize) - (kTileSize - 1);
    return dx * dx + dy * dy <= 12 * 12 ? 1 : 0; // radius 6
}

} // namespace demo

#endif // VGZO_EXAMPLES_DEMO_LAYOUT_H
