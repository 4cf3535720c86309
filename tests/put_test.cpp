// SPDX-License-Identifier: MIT
// Which canvas function each image reaches, with exactly which arguments, in
// each of the three coordinate families.
#include <cmath>
#include <limits>
#include <span>
#include <string>

#include "support/broken_records.h"
#include "support/traced_test.h"

namespace {

using namespace support;

struct Coordinates {
    double x, y, w, h;
};

// One coordinate family: its export and how its coordinates are traced.
struct Family {
    const char *prefix;
    void (*put)(vgCanvas *, const zoImage *, Coordinates);
    bool integer;
};

void PrintTo(const Family &family, std::ostream *out) {
    *out << family.prefix;
}

const Family kFamilies[] = {
    {"vg",
     [](vgCanvas *c, const zoImage *i, Coordinates p) {
         vgCanvasPutZoImage(c, i, static_cast<int32_t>(p.x), static_cast<int32_t>(p.y),
                            static_cast<int32_t>(p.w), static_cast<int32_t>(p.h));
     },
     true},
    {"vgf",
     [](vgCanvas *c, const zoImage *i, Coordinates p) {
         vgfCanvasPutZoImage(c, i, p.x, p.y, p.w, p.h);
     },
     false},
    {"qm",
     [](vgCanvas *c, const zoImage *i, Coordinates p) {
         qmCanvasPutZoImage(c, i, p.x, p.y, p.w, p.h);
     },
     false},
};

// The expected trace line: the family's function, the leading arguments, the
// coordinates in the family's type and the four zeros of the whole image.
template <typename... Leading>
standin::TraceRecord expected_put(const Family &family, const char *kind, Coordinates at,
                                  const Leading &...leading) {
    const std::string name = std::string(family.prefix) + "CanvasPutImageRect" + kind;
    if (family.integer) {
        return standin::call(name, leading..., static_cast<int32_t>(at.x),
                             static_cast<int32_t>(at.y), static_cast<int32_t>(at.w),
                             static_cast<int32_t>(at.h), 0, 0, 0, 0);
    }
    return standin::call(name, leading..., at.x, at.y, at.w, at.h, 0, 0, 0, 0);
}

class PutTest : public TracedTest, public ::testing::WithParamInterface<Family> {
protected:
    FakeCanvas canvas;
    const Family &family = GetParam();

    // An RGB image put at each place reaches the RGB function with its three
    // planes and the place as given.
    void expect_rgb_calls_at(std::span<const Coordinates> places) {
        TestImage rgb;
        for (const Coordinates &at : places) {
            vgTraceClear();
            family.put(canvas.get(), rgb.get(), at);
            EXPECT_EQ(vgTraceRecords(),
                      std::vector{expected_put(family, "RGB", at, canvas.get(), 4, 3, rgb.plane(0),
                                               rgb.plane(1), rgb.plane(2))});
        }
    }
};

// Doubles must arrive bit for bit; integers as they are, negative and zero
// sizes included.
const Coordinates kPlaces[] = {
    {10, 20, 100, 50}, {-7, 3, 0, 0}, {5, 5, -4, -9}, {2147483647, -2147483647, 1, 1}};
const Coordinates kFractionalPlaces[] = {{10.25, -3.5, 0.1, 1e-300}, {-0.0, 1e300, -2.75, 0.5}};

TEST_P(PutTest, RgbImageGoesToTheRgbFunctionWithItsThreePlanes) {
    expect_rgb_calls_at(kPlaces);
}

TEST_P(PutTest, AnyNonZeroAlphaFlagGoesToTheRgbaFunctionWithFourPlanes) {
    const Coordinates at{10, 20, 100, 50};
    for (int32_t has_alpha : {1, 2, -1}) {
        TestImage rgba({.has_alpha = has_alpha});
        vgTraceClear();
        family.put(canvas.get(), rgba.get(), at);
        EXPECT_EQ(vgTraceRecords(),
                  std::vector{expected_put(family, "RGBA", at, canvas.get(), 4, 3, rgba.plane(0),
                                           rgba.plane(1), rgba.plane(2), rgba.plane(3))})
            << "has_alpha " << has_alpha;
    }
}

TEST_P(PutTest, EveryIndexedSpaceGoesToTheMapFunctionWithoutAlpha) {
    const Coordinates at{1, 2, 3, 4};
    for (int32_t color_space : {1, 2, 3}) {
        for (int32_t has_alpha : {0, 1}) {
            TestImage indexed({.color_space = color_space, .has_alpha = has_alpha});
            vgTraceClear();
            family.put(canvas.get(), indexed.get(), at);
            EXPECT_EQ(vgTraceRecords(),
                      std::vector{expected_put(family, "Map", at, canvas.get(), 4, 3,
                                               indexed.plane(0), indexed.palette().data())})
                << "colour space " << color_space << ", has_alpha " << has_alpha;
        }
    }
}

using DoublePutTest = PutTest;

TEST_P(DoublePutTest, FractionalCoordinatesArriveUnchanged) {
    expect_rgb_calls_at(kFractionalPlaces);
}

TEST_P(PutTest, ImagesItCannotDrawMakeNoCall) {
    struct Refused {
        int32_t color_space, sample_type, has_alpha;
    };
    const Refused refused[] = {
        {0, 1, 0},
        {0, 1, 1},
        {1, 1, 0},
        {2, 2, 0},
        {3, -1, 0},
        {0, 255, 0}, // not byte samples
        {4, 0, 0},
        {4, 0, 1},
        {-1, 0, 0},
        {100, 0, 0},
        {std::numeric_limits<int32_t>::min(), 0, 0},
    };
    for (const Refused &r : refused) {
        TestImage image(
            {.color_space = r.color_space, .sample_type = r.sample_type, .has_alpha = r.has_alpha});
        family.put(canvas.get(), image.get(), {1, 2, 3, 4});
        EXPECT_EQ(vgTraceCount(), 0u)
            << "colour space " << r.color_space << ", sample type " << r.sample_type;
    }
}

// What the Puts hand on: only records whose planes hold the image, drawn on a
// working canvas that reads every sample it is handed; nothing else is even
// read.  Each of the three kinds of image the Puts draw.
class PutRecordTest : public TracedTest,
                      public ::testing::WithParamInterface<std::tuple<Family, Handling>> {};

TEST_P(PutRecordTest, HandsOnOnlyWholeRecords) {
    const auto &[family, handling] = GetParam();
    for (const ImageShape &kind : {ImageShape{}, ImageShape{.has_alpha = 1},
                                   ImageShape{.color_space = ZO_COLOR_SPACE_INDEXED2}}) {
        RecordUnderTest image(handling.record, kind);
        const testkit::Canvas canvas(vgCanvasCreate(8, 8));
        const uint64_t before = image.content_hash();
        vgTraceClear();
        family.put(canvas.get(), image.get(), {0, 0, 8, 8});
        EXPECT_EQ(vgTraceCount(), handling.handed_on ? 1u : 0u)
            << "colour space " << kind.color_space << ", has_alpha " << kind.has_alpha;
        EXPECT_EQ(image.content_hash(), before);
    }
}

const auto kFamilyName = [](const auto &info) { return std::string(info.param.prefix); };
INSTANTIATE_TEST_SUITE_P(Families, PutTest, ::testing::ValuesIn(kFamilies), kFamilyName);
INSTANTIATE_TEST_SUITE_P(DoubleFamilies, DoublePutTest,
                         ::testing::Values(kFamilies[1], kFamilies[2]), kFamilyName);
INSTANTIATE_TEST_SUITE_P(FamiliesAndRecords, PutRecordTest,
                         ::testing::Combine(::testing::ValuesIn(kFamilies),
                                            ::testing::ValuesIn(kPlaneHandling)),
                         kFamilyAndRecordName);

} // namespace
