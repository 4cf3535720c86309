// zoImage records built by hand, for tests that need fields the imaging
// library would never produce, and fake canvases the canvas library ignores.
#ifndef VGZO_TESTS_RECORDS_H
#define VGZO_TESTS_RECORDS_H

#include <array>
#include <cstdint>

#include "vgzo/vgzo.h"

namespace records {

// A record with four distinct plane addresses and a palette, none of which is
// ever dereferenced when the canvas is not live.
struct HandMadeImage {
    std::array<uint8_t, 64> storage{};
    std::array<uint8_t *, 4> planes{storage.data(), storage.data() + 16, storage.data() + 32,
                                    storage.data() + 48};
    std::array<vgColor, 4> palette{};
    zoImage image{};

    HandMadeImage(int32_t color_space, int32_t sample_type, int32_t has_alpha, int32_t width = 4,
                  int32_t height = 3) {
        image.width = width;
        image.height = height;
        image.color_space = color_space;
        image.sample_type = sample_type;
        image.has_alpha = has_alpha;
        image.pixel_count = width * height;
        image.planes = planes.data();
        image.palette = palette.data();
    }
    HandMadeImage(const HandMadeImage &) = delete;
    HandMadeImage &operator=(const HandMadeImage &) = delete;
};

// A canvas record without the "VG" signature: the stand-in canvas traces calls
// on it and otherwise ignores them.
struct FakeCanvas {
    alignas(16) unsigned char bytes[16] = {'X', 'X'};
    vgCanvas *get() { return reinterpret_cast<vgCanvas *>(bytes); }
};

} // namespace records

#endif // VGZO_TESTS_RECORDS_H
