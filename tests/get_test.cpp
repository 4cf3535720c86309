// Reading a canvas area into an image: the area is the image's own size, and
// only an RGB image of byte samples is written into.
#include "support/records.h"
#include "support/trace.h"

namespace {

using records::FakeCanvas;
using records::HandMadeImage;
using trace::call;

class GetTest : public trace::TracedTest {
protected:
    FakeCanvas canvas;
};

TEST_F(GetTest, ReadsExactlyTheImagesSizeAtTheGivenPlace) {
    HandMadeImage rgb(ZO_COLOR_SPACE_RGB, ZO_SAMPLE_UINT8, 0, 10, 5);
    vgCanvasGetZoImage(canvas.get(), &rgb.image, -3, 7);
    qmCanvasGetZoImage(canvas.get(), &rgb.image, 2.5, -0.125);
    EXPECT_EQ(trace::vg_calls(),
              (std::vector{call("vgCanvasGetImageRGB", canvas.get(), rgb.planes[0], rgb.planes[1],
                                rgb.planes[2], -3, 7, 10, 5),
                           call("qmCanvasGetImageRGB", canvas.get(), rgb.planes[0], rgb.planes[1],
                                rgb.planes[2], 2.5, -0.125, 10, 5)}));
}

TEST_F(GetTest, AlphaPlaneIsNeitherPassedNorInTheWay) {
    HandMadeImage rgba(ZO_COLOR_SPACE_RGB, ZO_SAMPLE_UINT8, 1, 2, 2);
    vgCanvasGetZoImage(canvas.get(), &rgba.image, 0, 0);
    EXPECT_EQ(trace::vg_calls(),
              std::vector{call("vgCanvasGetImageRGB", canvas.get(), rgba.planes[0], rgba.planes[1],
                               rgba.planes[2], 0, 0, 2, 2)});
}

// An indexed image has only its index plane: writing three planes into it
// would run past its memory.
TEST_F(GetTest, ImagesWithoutThreeBytePlanesAreNotWrittenInto) {
    struct Refused {
        int32_t color_space, sample_type;
    };
    for (const Refused r : {Refused{1, 0}, {2, 0}, {3, 0}, {4, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
        HandMadeImage image(r.color_space, r.sample_type, 0);
        vgCanvasGetZoImage(canvas.get(), &image.image, 0, 0);
        qmCanvasGetZoImage(canvas.get(), &image.image, 0, 0);
        EXPECT_EQ(vgTraceCount(), 0u)
            << "colour space " << r.color_space << ", sample type " << r.sample_type;
    }
}

} // namespace
