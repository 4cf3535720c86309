// SPDX-License-Identifier: MIT
// Reading a canvas area into an image: the area is the image's own size, and
// only an RGB image of byte samples is written into.
#include <string>
#include <tuple>

#include "support/broken_records.h"
#include "support/traced_test.h"

namespace {

using namespace support;

class GetTest : public TracedTest {
protected:
    FakeCanvas canvas;
};

TEST_F(GetTest, ReadsExactlyTheImagesSizeAtTheGivenPlace) {
    TestImage rgb({.width = 10, .height = 5});
    vgCanvasGetZoImage(canvas.get(), rgb.get(), -3, 7);
    qmCanvasGetZoImage(canvas.get(), rgb.get(), 2.5, -0.125);
    EXPECT_EQ(vgTraceRecords(),
              (std::vector{standin::call("vgCanvasGetImageRGB", canvas.get(), rgb.plane(0),
                                         rgb.plane(1), rgb.plane(2), -3, 7, 10, 5),
                           standin::call("qmCanvasGetImageRGB", canvas.get(), rgb.plane(0),
                                         rgb.plane(1), rgb.plane(2), 2.5, -0.125, 10, 5)}));
}

TEST_F(GetTest, AlphaPlaneIsNeitherPassedNorInTheWay) {
    TestImage rgba({.width = 2, .height = 2, .has_alpha = 1});
    vgCanvasGetZoImage(canvas.get(), rgba.get(), 0, 0);
    EXPECT_EQ(vgTraceRecords(),
              std::vector{standin::call("vgCanvasGetImageRGB", canvas.get(), rgba.plane(0),
                                        rgba.plane(1), rgba.plane(2), 0, 0, 2, 2)});
}

// An indexed image has only its index plane: writing three planes into it
// would run past its memory.
TEST_F(GetTest, ImagesWithoutThreeBytePlanesAreNotWrittenInto) {
    struct Refused {
        int32_t color_space, sample_type;
    };
    for (const Refused r : {Refused{1, 0}, {2, 0}, {3, 0}, {4, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
        TestImage image({.color_space = r.color_space, .sample_type = r.sample_type});
        vgCanvasGetZoImage(canvas.get(), image.get(), 0, 0);
        qmCanvasGetZoImage(canvas.get(), image.get(), 0, 0);
        EXPECT_EQ(vgTraceCount(), 0u)
            << "colour space " << r.color_space << ", sample type " << r.sample_type;
    }
}

// What the Gets write into: only records whose planes hold the image, read
// from a working canvas that writes every sample it is asked for; any other
// record is neither handed on nor written.  With and without an alpha plane.
struct GetFamily {
    const char *prefix;
    void (*get)(vgCanvas *, zoImage *);
};

void PrintTo(const GetFamily &family, std::ostream *out) {
    *out << family.prefix;
}

const GetFamily kGetFamilies[] = {
    {"vg", [](vgCanvas *canvas, zoImage *image) { vgCanvasGetZoImage(canvas, image, 0, 0); }},
    {"qm", [](vgCanvas *canvas, zoImage *image) { qmCanvasGetZoImage(canvas, image, 0, 0); }},
};

class GetRecordTest : public TracedTest,
                      public ::testing::WithParamInterface<std::tuple<GetFamily, Handling>> {};

TEST_P(GetRecordTest, WritesOnlyIntoWholeRecords) {
    const auto &[family, handling] = GetParam();
    for (const int32_t has_alpha : {0, 1}) {
        RecordUnderTest image(handling.record, {.has_alpha = has_alpha});
        const testkit::Canvas canvas(vgCanvasCreate(8, 8));
        const uint64_t before = image.content_hash();
        vgTraceClear();
        family.get(canvas.get(), image.get());
        EXPECT_EQ(vgTraceCount(), handling.handed_on ? 1u : 0u) << "has_alpha " << has_alpha;
        if (!handling.handed_on) {
            EXPECT_EQ(image.content_hash(), before) << "has_alpha " << has_alpha;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(FamiliesAndRecords, GetRecordTest,
                         ::testing::Combine(::testing::ValuesIn(kGetFamilies),
                                            ::testing::ValuesIn(kPlaneHandling)),
                         kFamilyAndRecordName);

} // namespace
