// SPDX-License-Identifier: MIT
// Fuzz target: runs the exports on decoded images and canvases, checking what
// holds for any input (unit tests pin the exact calls): a refused record, and
// but for a pattern one whose planes cannot hold its area, gets no canvas call;
// only a Get (colour planes) or a canvas over the image writes its memory; a
// pattern is width x height entries, 0 or from their own pixels, 0 past
// pixel_count; a stipple is a colour space 3 image's plane.  Planes of exactly
// pixel_count let the address sanitizer see any access past them, also by a
// fill through a kept pattern or stipple.  Which records an export takes is
// judged by an oracle of its own, from the rules vgzo.h states; the target uses
// nothing of the library but that header.  A broken promise aborts, naming it.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <numeric>
#include <string>

#include "test_image.h"
#include "testkit.h"
#include "vgzo/vgzo.h"

#if defined(__clang__) // the checker's loops tell the fuzzer nothing, and cost much
#define NOT_COVERED __attribute__((no_sanitize("coverage")))
#else
#define NOT_COVERED
#endif

namespace {

using testkit::TestImage;

// Reads typed values off the fuzzer's bytes, front to back; past the end every
// read yields zero bytes, so any input, however short, decodes to something.
struct InputReader {
    const uint8_t *data;
    std::size_t size;
    std::size_t at = 0; // the next byte read
    uint8_t byte() { return at < size ? data[at++] : 0; }

    uint32_t u32() { // a braced list reads in order
        const std::array<uint32_t, 4> b{byte(), byte(), byte(), byte()};
        return b[0] << 24 | b[1] << 16 | b[2] << 8 | b[3];
    }

    // Any int32 or double, but mostly a value code tends to single out.
    int32_t biased_i32() {
        static constexpr std::array<int32_t, 12> kValues{0, 1,  2,   3,   4,         -1,
                                                         5, -2, 255, 256, INT32_MIN, INT32_MAX};
        return byte() < 192 ? kValues[byte() % kValues.size()] : static_cast<int32_t>(u32());
    }
    double biased_f64() {
        using L = std::numeric_limits<double>;
        // clang-format off
        static constexpr std::array<double, 20> kValues{0.0, -0.0, 1.0, -1.0, 0.5, -2.5, 72.0, 300.0,
            L::quiet_NaN(), -L::quiet_NaN(), L::infinity(), -L::infinity(), L::max(), -L::max(),
            L::min(), L::denorm_min(), -L::denorm_min(), 2147483647.5, -2147483648.5, 1e300};
        // clang-format on
        if (byte() < 192) {
            return kValues[byte() % kValues.size()];
        }
        const uint64_t high = u32();
        const uint64_t bits = high << 32 | u32();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    // Up to max_length bytes as a C text, cut (and read no further) at a NUL.
    std::string text(std::size_t max_length) {
        std::string out;
        const std::size_t length = byte() % (max_length + 1);
        for (char c = 0; out.size() < length && (c = static_cast<char>(byte())) != '\0';) {
            out += c;
        }
        return out;
    }
};

void require(bool holds, const char *promise) {
    if (!holds) {
        std::fprintf(stderr, "broken: %s\n", promise);
        std::abort();
    }
}

// Sides small mostly, a few hundred pixels or 0 or negative now and then; any
// colour space, sample type and alpha flag; now and then a pixel_count that
// falls short or is negative; half with planes of exactly pixel_count.
testkit::ImageShape read_shape(InputReader &in) {
    const auto side = [&in]() -> int32_t {
        const uint8_t choice = in.byte();
        if (choice < 8) {
            return -static_cast<int32_t>(in.byte());
        }
        return choice < 248 ? in.byte() % 17 : 17 + static_cast<int32_t>(in.u32() % 300);
    };
    testkit::ImageShape shape;
    shape.width = side();
    shape.height = shape.width > 16 ? in.byte() % 301 : side();
    shape.color_space = in.byte() < 224 ? in.byte() % 5 : in.biased_i32();
    shape.sample_type = in.byte() < 224 ? 0 : in.biased_i32();
    shape.has_alpha = in.byte() < 160 ? in.byte() % 2 : in.biased_i32();
    const int32_t area = shape.width > 0 && shape.height > 0 ? shape.width * shape.height : 0;
    const uint8_t count = in.byte();
    shape.exact_planes = count >= 128;
    if (count % 16 == 0) {
        shape.pixel_count = area > 0 ? in.byte() % area : 0;
    } else if (count % 16 == 1) {
        shape.pixel_count = -1 - static_cast<int32_t>(in.u32() & 0xFFFFu);
    }
    return shape;
}

// A record of at most 255 samples a plane whose width x height exceeds any
// pixel_count or, at a height byte of 255 in a `rare` input, is the size
// from which a pattern's array is a mapping of its own.
testkit::ImageShape read_large(InputReader &in, bool rare, uint8_t &operation) {
    testkit::ImageShape shape{.pixel_count = in.byte(), .exact_planes = true};
    const uint8_t height = in.byte();
    const bool array_size = height == 255 && rare;
    shape.width = array_size ? 4096 : height % 2 == 0 ? 65536 : 0x7FFFFFFF;
    shape.height = array_size ? 2048 : height % 2 == 0 ? 65537 + height : (1 << 29) + height;
    const uint8_t color_space = in.byte();
    shape.color_space = color_space % 5;
    operation = static_cast<uint8_t>((2 + color_space / 5) % 6);
    return shape;
}

// Samples seeded by the input; a palette of exactly the indices used.
void fill(InputReader &in, TestImage &image) {
    const uint32_t seed = in.u32();
    testkit::fill_with_noise(image, seed, static_cast<uint8_t>((1u << (in.byte() % 9)) - 1), true);
}

// The attributes the image canvas kind reads, each sometimes absent.
void read_attributes(InputReader &in, TestImage &image) {
    static constexpr std::array<const char *, 6> kUnits{"DPI", "DPIX", "dpi", "DP", "", "cm"};
    const uint8_t unit = in.byte() % 8;
    if (unit <= kUnits.size()) {
        const std::string text = unit == kUnits.size() ? in.text(6) : kUnits[unit];
        zoImageSetAttribString(image.get(), "ResolutionUnit", text.c_str());
    }
    if (in.byte() % 4 != 0) {
        const double x_resolution = in.biased_f64();
        zoImageSetAttribReal(image.get(), "XResolution", &x_resolution, 1);
    }
}

// The oracle: which records each export takes, written from the rules of
// vgzo.h alone, so that a wrong test in the library is not agreed with.

// width x height in 64 bits when both sides are above 0, else 0.
int64_t area(const zoImage *r) {
    return r->width > 0 && r->height > 0 ? int64_t{r->width} * r->height : 0;
}

bool indexed(const zoImage *r) {
    return r->color_space >= ZO_COLOR_SPACE_INDEXED1 && r->color_space <= ZO_COLOR_SPACE_INDEXED3;
}

// A byte image with a planes array whose planes hold its area: what the Puts,
// the Gets, the stipple and the image canvas kind may hand on.
bool handed_on(const zoImage *r) {
    return r != nullptr && r->planes != nullptr && r->sample_type == ZO_SAMPLE_UINT8 &&
           r->pixel_count >= 0 && r->pixel_count >= area(r);
}

// What the pattern takes: planes need not hold the area, but width x height
// fits a pixel_count and the planes and palette the colours come from are there.
bool patterned(const zoImage *r) {
    if (r == nullptr || r->planes == nullptr || r->sample_type != ZO_SAMPLE_UINT8 ||
        r->pixel_count < 0 || area(r) > INT32_MAX) {
        return false;
    }
    uint8_t *const *p = r->planes;
    if (r->color_space == ZO_COLOR_SPACE_RGB) {
        return p[0] && p[1] && p[2] && (r->has_alpha == 0 || p[3]);
    }
    return !indexed(r) || (p[0] && r->palette);
}

// The canvas calls `operation` makes; image memory from plane first_kept on stays.
template <class Operation>
std::size_t calls_of(const TestImage &image, Operation operation, int first_kept = 0) {
    const uint64_t before = image.content_hash(first_kept);
    const testkit::TraceSession trace;
    operation();
    require(image.content_hash(first_kept) == before, "the image's memory is left alone");
    return vgTraceRecords().size();
}

void put(InputReader &in, vgCanvas *canvas, TestImage &image) {
    const int family = in.byte() % 3;
    const std::array a{in.biased_f64(), in.biased_f64(), in.biased_f64(), in.biased_f64()};
    const auto i = [](double v) { return v > -2e9 && v < 2e9 ? static_cast<int32_t>(v) : 7; };
    const auto put_doubles = family == 1 ? vgfCanvasPutZoImage : qmCanvasPutZoImage;
    const std::size_t calls = calls_of(image, [&] {
        family == 0 ? vgCanvasPutZoImage(canvas, image.get(), i(a[0]), i(a[1]), i(a[2]), i(a[3]))
                    : put_doubles(canvas, image.get(), a[0], a[1], a[2], a[3]);
    });
    const zoImage *r = image.get();
    const bool drawn = handed_on(r) && (r->color_space == ZO_COLOR_SPACE_RGB || indexed(r));
    require(calls == (drawn ? 1u : 0u), "a Put draws what it can, once");
}

void get(InputReader &in, vgCanvas *canvas, TestImage &image) {
    const bool qm = in.byte() % 2 != 0;
    const int32_t x = in.biased_i32() % 64;
    const int32_t y = in.biased_i32() % 64;
    const bool readable = handed_on(image.get()) && image.get()->color_space == ZO_COLOR_SPACE_RGB;
    const auto read = [&] {
        qm ? qmCanvasGetZoImage(canvas, image.get(), x, y)
           : vgCanvasGetZoImage(canvas, image.get(), x, y);
    };
    require(calls_of(image, read, readable ? 3 : 0) == (readable ? 1u : 0u),
            "a Get reads only into RGB byte planes of the area");
}

// Each entry is 0 or, among the first pixel_count, made from its own pixel.
NOT_COVERED bool from_own_pixels(const zoImage *image, const vgColor *colors, int32_t count) {
    uint8_t *const *p = image->planes;
    const auto own = [&](int32_t i) {
        if (image->color_space != ZO_COLOR_SPACE_RGB) {
            return image->palette[p[0][i]];
        }
        return image->has_alpha != 0 ? vgEncodeColorAlpha(p[0][i], p[1][i], p[2][i], p[3][i])
                                     : vgEncodeColor(p[0][i], p[1][i], p[2][i]);
    };
    const int32_t own_count = std::clamp(image->pixel_count, 0, count);
    for (int32_t i = 0; i < own_count; ++i) {
        if (colors[i] != 0 && colors[i] != own(i)) {
            return false;
        }
    }
    // All 0 past them: the first is, and each equals the next (one memcmp,
    // not a checked load each, as a pattern may have millions of entries).
    const vgColor *past = colors + own_count;
    const auto rest = static_cast<std::size_t>(count - own_count);
    return rest == 0 ||
           (past[0] == 0 && std::memcmp(past, past + 1, (rest - 1) * sizeof *past) == 0);
}

// A pattern on the live canvas, a record without the signature or none.
void pattern(InputReader &in, vgCanvas *target, TestImage &image) {
    static const vgColor kSentinel = 0x5E5E5E5Eu;
    vgCanvasPattern(target, 1, 1, &kSentinel);
    testkit::FakeCanvas fake;
    const uint8_t choice = in.byte() % 8;
    vgCanvas *canvas = choice == 0 ? nullptr : choice == 1 ? fake.get() : target;
    calls_of(image, [&] {
        vgTraceEnable(0); // untraced: it encodes a colour a pixel
        vgCanvasPatternZoImage(canvas, image.get());
    });
    const zoImage *record = image.get();
    std::array<int32_t, 2> size{}; // width, height
    const vgColor *colors = vgCanvasGetPattern(target, size.data(), size.data() + 1);
    if (canvas != target || !patterned(record)) {
        require(size == std::array{1, 1} && colors[0] == kSentinel, "a refused pattern sets none");
        return;
    }
    if (choice >= 5) {
        vgCanvasFillRect(target, 0, 0, 48, 48, 0xFF00FF00u); // with the kept pattern and stipple
    }
    require(record->width < 0 || record->height < 0 || // a size the canvas refuses
                (size == std::array{record->width, record->height} &&
                 from_own_pixels(record, colors, size[0] * size[1])),
            "a pattern is width x height entries from their own pixels, 0 past pixel_count");
}

// A stipple, and now and then a fill through it; dropped before the image goes.
void stipple(InputReader &in, vgCanvas *target, TestImage &image) {
    const uint8_t choice = in.byte() % 4;
    testkit::FakeCanvas fake;
    calls_of(image,
             [&] { vgCanvasStippleZoImage(choice != 0 ? target : fake.get(), image.get()); });
    const zoImage *record = image.get();
    const uint8_t *mask = vgCanvasGetStipple(target, nullptr, nullptr);
    require(mask == nullptr || (choice != 0 && mask == record->planes[0] && handed_on(record) &&
                                record->color_space == ZO_COLOR_SPACE_INDEXED3),
            "a stipple is the plane of a byte image of colour space 3 that holds its area");
    if (choice == 3) {
        vgCanvasFillRect(target, 0, 0, 48, 48, 0xFF00FF00u); // with the kept pattern and stipple
    }
    vgCanvasStipple(target, 0, 0, nullptr);
}

// A canvas over the image, drawn on with a second image.
void image_canvas(InputReader &in, TestImage &image, TestImage &stamp) {
    read_attributes(in, image);
    const zoImage *record = image.get();
    vgCanvas *canvas = nullptr;
    calls_of(image, [&] {
        canvas = vgCanvasCreateWithContext(vgContextZoImage(), image.get());
        require((handed_on(record) && record->color_space == ZO_COLOR_SPACE_RGB) ||
                    (canvas == nullptr && zoTraceCount() == 0),
                "an image that is not RGB bytes of its area is neither read nor handed on");
    });
    if (canvas != nullptr) {
        put(in, canvas, stamp); // into the image's own planes
        vgCanvasDestroy(canvas);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    // One input in 64 (by a hash) may ask for a costly pattern of the large size.
    const uint32_t hash = std::accumulate(
        data, data + size, 2166136261u, [](uint32_t h, uint8_t b) { return (h ^ b) * 16777619u; });
    static const testkit::Canvas large_target(vgCanvasCreate(8, 8)); // kept: no fresh memory
    InputReader in{data, size};
    const int32_t side = 1 + in.byte() % 48;
    const testkit::Canvas canvas(vgCanvasCreate(side, 1 + in.byte() % 48));
    for (int step = 0; step < 12 && in.at < in.size; ++step) {
        const uint8_t choice = in.byte() % 32; // 31: a record far larger than its planes
        uint8_t operation = choice % 6;
        TestImage image(choice == 31 ? read_large(in, hash % 64 == 0, operation) : read_shape(in));
        if (choice != 31) {
            fill(in, image);
        }
        if (operation == 0) {
            put(in, canvas.get(), image);
        } else if (operation == 1) {
            get(in, canvas.get(), image);
        } else if (operation <= 3) { // sometimes twice on one canvas
            pattern(in, choice == 31 ? large_target.get() : canvas.get(), image);
        } else if (operation == 4) {
            stipple(in, canvas.get(), image);
        } else {
            TestImage stamp(read_shape(in));
            fill(in, stamp);
            image_canvas(in, image, stamp);
        }
    }
    return 0;
}
