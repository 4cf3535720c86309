// zoImage records decoded from the fuzzer's bytes, with the attributes the
// image canvas kind reads.
//
// What the record's contract allows, and so what is made here:
// - width, height, colour space, sample type and has_alpha may hold any value;
//   the library must ignore what it cannot handle.
// - pixel_count is meant to be width x height and never negative.  The library
//   nevertheless promises what it does for a pixel_count that falls short of
//   width x height (the pattern array still covers width x height) and for a
//   negative one (no pattern is set), so such records are made too, and now
//   and then one whose pixel_count exceeds width x height.
// - Every plane holds as many samples as any reader takes: the library reads
//   pixel_count samples (pattern), the canvas reads or writes width x height
//   (draw, read back, image canvas).  A plane shorter than either would be
//   the caller breaking the contract, not the library, so planes always hold
//   max(pixel_count, width x height) samples, and at least one.
// - Hence both sides are small (at most 64) whenever both are positive; a side
//   may be huge or negative only when the other is 0 or negative, as then no
//   sample is ever read.
// - All four planes and a 256-entry palette are always there, so any index
//   byte has a colour and any has_alpha value finds an alpha plane.
#ifndef VGZO_FUZZ_FUZZ_IMAGE_H
#define VGZO_FUZZ_FUZZ_IMAGE_H

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "input_reader.h"
#include "zo_standin.h"

namespace fuzz {

constexpr int32_t kMaxSide = 64;
constexpr std::size_t kPaletteSize = 256;

struct FuzzImage {
    zoImage record{};
    std::vector<uint8_t> samples;
    std::array<uint8_t *, 4> planes{};
    std::vector<vgColor> palette = std::vector<vgColor>(kPaletteSize);
    // What the attribute queries answer for this record.
    std::optional<std::string> unit; // "ResolutionUnit" as a text
    double x_resolution = 0;         // element 0 of "XResolution" as reals

    FuzzImage() = default;
    FuzzImage(const FuzzImage &) = delete;
    FuzzImage &operator=(const FuzzImage &) = delete;
    ~FuzzImage() { zoImageClearAttribs(&record); }
};

// Width x height when both are positive (then both are small), else 0.
inline int32_t area(const zoImage &image) {
    return image.width > 0 && image.height > 0 ? image.width * image.height : 0;
}

// A side: mostly 0 to 64, sometimes negative or any int32.
inline int32_t read_side(InputReader &in) {
    switch (in.byte() % 8) {
    case 0:
        return in.biased_i32();
    case 1:
        return -static_cast<int32_t>(in.byte());
    default:
        return in.byte() % (kMaxSide + 1);
    }
}

inline void read_size(InputReader &in, zoImage &image) {
    image.width = read_side(in);
    image.height = read_side(in);
    if (image.width > 0 && image.height > 0) {
        image.width = 1 + (image.width - 1) % kMaxSide;
        image.height = 1 + (image.height - 1) % kMaxSide;
    }
}

// Mostly width x height; now and then short of it, past it or negative.
inline int32_t read_pixel_count(InputReader &in, int32_t whole) {
    switch (in.byte() % 10) {
    case 0:
        return whole > 0 ? in.byte() % whole : 0;
    case 1:
        return whole + in.byte() % 16;
    case 2:
        return -1 - static_cast<int32_t>(in.u32() & 0x7FFFFFFFu);
    default:
        return whole;
    }
}

inline void read_kind(InputReader &in, zoImage &image) {
    image.color_space = in.byte() < 200 ? in.byte() % 5 : in.biased_i32();
    image.sample_type = in.byte() < 200 ? 0 : in.biased_i32();
    image.has_alpha = in.byte() < 128 ? in.byte() % 2 : in.biased_i32();
}

// Samples, palette and the fields nobody should read, from a small generator
// seeded by the input, so the input's bytes go to the record's shape.
inline void fill_contents(InputReader &in, FuzzImage &image) {
    uint32_t state = in.u32() | 1u;
    auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    for (uint8_t &sample : image.samples) {
        sample = static_cast<uint8_t>(next());
    }
    for (vgColor &color : image.palette) {
        color = next();
    }
    for (int32_t &field : image.record.reserved) {
        field = static_cast<int32_t>(next());
    }
}

inline void allocate_planes(FuzzImage &image) {
    const int32_t whole = area(image.record);
    const auto per_plane =
        static_cast<std::size_t>(std::max({image.record.pixel_count, whole, int32_t{1}}));
    image.samples.assign(per_plane * image.planes.size(), 0);
    for (std::size_t i = 0; i < image.planes.size(); ++i) {
        image.planes[i] = image.samples.data() + per_plane * i;
    }
    image.record.planes = image.planes.data();
    image.record.palette = image.palette.data();
}

// "ResolutionUnit": absent, one of the telling texts, any bytes, or set as
// reals (the wrong kind, which the text query does not see).
inline void read_unit(InputReader &in, FuzzImage &image) {
    static constexpr std::array<const char *, 8> kUnits{"",   "DPI",        "DPIX", "dpi",
                                                        "DP", "Centimeter", "DPI ", "XDPI"};
    const zoImage *record = &image.record;
    switch (in.byte() % 6) {
    case 0:
        return;
    case 1:
        image.unit = in.text(8);
        break;
    case 2: {
        const double value = 1;
        zoImageSetAttribReal(record, "ResolutionUnit", &value, 1);
        return;
    }
    default:
        image.unit = in.pick(kUnits);
        break;
    }
    zoImageSetAttribString(record, "ResolutionUnit", image.unit->c_str());
}

// "XResolution": absent, without elements, set as a text (the wrong kind), or
// one to three reals of which only the first counts.
inline void read_x_resolution(InputReader &in, FuzzImage &image) {
    const zoImage *record = &image.record;
    const int choice = in.byte() % 6;
    if (choice == 0) {
        return;
    }
    if (choice == 1) {
        zoImageSetAttribString(record, "XResolution", "72");
        return;
    }
    std::array<double, 3> values{};
    const auto count = static_cast<int32_t>(choice - 2); // 0 to 3 elements
    for (int32_t i = 0; i < count; ++i) {
        values[static_cast<std::size_t>(i)] = in.biased_f64();
    }
    zoImageSetAttribReal(record, "XResolution", values.data(), count);
    image.x_resolution = count > 0 ? values[0] : 0;
}

inline std::unique_ptr<FuzzImage> read_image(InputReader &in) {
    auto image = std::make_unique<FuzzImage>();
    read_size(in, image->record);
    read_kind(in, image->record);
    image->record.pixel_count = read_pixel_count(in, area(image->record));
    allocate_planes(*image);
    fill_contents(in, *image);
    read_unit(in, *image);
    read_x_resolution(in, *image);
    return image;
}

} // namespace fuzz

#endif // VGZO_FUZZ_FUZZ_IMAGE_H
