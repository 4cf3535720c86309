// SPDX-License-Identifier: MIT
// The image canvas kind: the context record, the creation text handed to the
// canvas library's RGB image kind, and canvases that draw into an image.
//
// The context is process-wide state filled by the first call: every test
// here holds whether it was filled before or not, and the one that needs it
// unfilled runs in a fresh process of its own.
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>

#include "support/broken_records.h"
#include "support/fresh_process.h"
#include "support/traced_test.h"

namespace {

using namespace support;

class ImageCanvasTest : public TracedTest {};

TEST_F(ImageCanvasTest, FillRepeatsWhileTheRgbKindHasNoOperation) {
    in_fresh_process([] {
        const vgOperation original = vgContextImageRGB()->operations[0];
        ASSERT_NE(original, nullptr);
        vgContextImageRGBSetOperation0(nullptr);
        vgTraceClear();
        const vgContext *first = vgContextZoImage();
        vgContextZoImage();
        vgContextZoImage();
        EXPECT_EQ(vgTraceCount(), 3u);
        EXPECT_EQ(first->operations[0], nullptr);

        vgContextImageRGBSetOperation0(original);
        vgTraceClear();
        vgContextZoImage();
        vgContextZoImage();
        EXPECT_EQ(vgTraceRecords(), std::vector{standin::call("vgContextImageRGB")});
        EXPECT_EQ(first->operations[0], original);
    });
}

// A kind without a create_canvas of its own makes no canvas, and no call.
TEST_F(ImageCanvasTest, NoCanvasWhenTheRgbKindCannotMakeOne) {
    in_fresh_process([] {
        vgContextImageRGBSetCreateCanvas(nullptr);
        TestImage image;
        EXPECT_EQ(testkit::Canvas(vgCanvasCreateWithContext(vgContextZoImage(), image.get())),
                  nullptr);
    });
}

TEST_F(ImageCanvasTest, OnceFilledTheSameRecordComesBackWithoutAFetch) {
    const vgContext *first = vgContextZoImage();
    vgTraceClear();
    EXPECT_EQ(vgContextZoImage(), first);
    EXPECT_EQ(vgContextZoImage(), first);
    EXPECT_EQ(vgTraceCount(), 0u);
}

TEST_F(ImageCanvasTest, RecordHoldsTheBridgesOwnValues) {
    const vgContext *context = vgContextZoImage();
    const vgContext *rgb = vgContextImageRGB();
    EXPECT_EQ(context->flags, 0xC7FFFFFBu);
    EXPECT_EQ(context->kind, 2);
    EXPECT_NE(context->create_canvas, nullptr);
    EXPECT_NE(context->create_canvas, rgb->create_canvas);
    EXPECT_EQ(context->operations[0], rgb->operations[0]);
    EXPECT_EQ(context->operations[1], nullptr);
    EXPECT_EQ(context->operations[2], nullptr);
}

// The creation text is the C runtime's own formatted printing, which differs
// by platform in the address form and in how msvcrt writes what is not a
// finite number.
#if defined(_WIN32)
constexpr bool kRuntimeIsMsvcrt =
#if defined(_UCRT)
    false;
#else
    true;
#endif
// Every Windows runtime writes 16 upper-case digits and no "0x".
std::string runtime_address(const void *address) {
    char text[32];
    std::snprintf(text, sizeof text, "%016llX",
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(address)));
    return text;
}
const char *const kCommaLocale = "German_Germany.1252";
#else
constexpr bool kRuntimeIsMsvcrt = false;
// glibc writes "0x" and the lower-case digits without leading zeros.
std::string runtime_address(const void *address) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%llx",
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(address)));
    return text;
}
const char *const kCommaLocale = "de_DE.UTF-8"; // made by the build (LOCPATH)
#endif

// One creation-text case: the image's attributes and the text's expected end,
// as most runtimes write it and, where it differs, as msvcrt does.
struct TextCase {
    const char *name;
    std::optional<const char *> unit;
    std::optional<double> x_resolution;
    int32_t has_alpha;
    const char *ending;
    const char *msvcrt_ending = nullptr;

    const char *expected_ending() const {
        return kRuntimeIsMsvcrt && msvcrt_ending != nullptr ? msvcrt_ending : ending;
    }
};

void PrintTo(const TextCase &c, std::ostream *out) {
    *out << c.name;
}

const TextCase kTextCases[] = {
    {"dpi72", "DPI", 72, 0, " -r2.83465"},
    {"dpiPrefixCounts", "DPIX", 72, 0, " -r2.83465"},
    {"lowerCaseIsNotDpi", "dpi", 100, 0, " -r10"},
    {"emptyUnit", "", 100, 0, " -r10"},
    {"otherUnit", "centimeter", 100, 0, " -r10"},
    {"twoLetterUnit", "DP", 100, 0, " -r10"},
    {"negativeResolution", "DPI", -72, 0, " -r-2.83465"},
    {"notANumberCountsAsAResolution", "DPI", std::numeric_limits<double>::quiet_NaN(), 0, " -rnan",
     " -r1.#QNAN"},
    {"infiniteResolution", "other", std::numeric_limits<double>::infinity(), 0, " -rinf",
     " -r1.#INF"},
    {"hugeResolution", "other", -1.7976931348623157e308, 0, " -r-1.79769e+307"},
    {"zeroMeansNone", "DPI", 0, 0, ""},
    {"negativeZeroMeansNone", "DPI", -0.0, 0, ""},
    // Either side of the boundaries: 0 (none), a resolution of exactly 1,
    // XResolution 1, and one too small to show once divided.
    {"resolutionOfOne", "cm", 10, 0, " -r1"},
    {"oneDotPerInch", "DPI", 1, 0, " -r0.0393701"},
    {"onePerCentimetre", "cm", 1, 0, " -r0.1"},
    {"tinyResolution", "cm", 1e-300, 0, " -r1e-301"},
    {"tooSmallToShowOnceDivided", "DPI", 4.9e-324, 0, ""},
    {"absentResolutionMeansNone", "DPI", std::nullopt, 0, ""},
    {"noUnitMeansNone", std::nullopt, 72, 0, ""},
    {"alpha", std::nullopt, std::nullopt, 1, " -a"},
    {"alphaComesLast", "DPI", 72, 1, " -r2.83465 -a"},
    {"anyAlphaFlag", "x", 100, -5, " -r10 -a"},
};

class CreationTextTest : public TracedTest, public ::testing::WithParamInterface<TextCase> {
protected:
    TestImage image{{.width = 640, .height = 480, .has_alpha = GetParam().has_alpha}};
    FakeCanvas canvas;
};

std::string addresses(const TestImage &image, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += ' ' + runtime_address(image.plane(i));
    }
    return text;
}

TEST_P(CreationTextTest, TextNamesThePlanesAndTheResolution) {
    const TextCase &c = GetParam();
    if (c.unit) {
        zoImageSetAttribString(image.get(), "ResolutionUnit", *c.unit);
    }
    if (c.x_resolution) {
        zoImageSetAttribReal(image.get(), "XResolution", &*c.x_resolution, 1);
    }
    const vgContext *context = vgContextZoImage();
    vgTraceClear();
    context->create_canvas(canvas.get(), image.get());

    const std::string text =
        "640x480" + addresses(image, c.has_alpha != 0 ? 4 : 3) + c.expected_ending();
    EXPECT_EQ(vgTraceRecords(),
              std::vector{standin::call("rgb_image_create_canvas", canvas.get(), text.c_str())});
    // XResolution is read only when there is a unit.
    std::vector expected_queries{
        standin::call("zoImageGetAttribString", image.get(), "ResolutionUnit")};
    if (c.unit) {
        expected_queries.push_back(
            standin::call("zoImageGetAttribReal", image.get(), "XResolution", 0));
    }
    EXPECT_EQ(zoTraceRecords(), expected_queries);
}

INSTANTIATE_TEST_SUITE_P(Forms, CreationTextTest, ::testing::ValuesIn(kTextCases),
                         [](const auto &info) { return std::string(info.param.name); });

// The longest text each of the four forms can make: both sizes of 11
// characters, addresses of 16 digits and a resolution of 13 characters.  It
// must arrive whole: a buffer a byte short would cut it or drop the canvas.
struct LongestText {
    const char *name;
    bool resolution;
    int32_t has_alpha;
    std::size_t length; // 16-digit addresses with "0x" (glibc), without (Windows)
    std::size_t windows_length;
};

void PrintTo(const LongestText &c, std::ostream *out) {
    *out << c.name;
}

const LongestText kLongestTexts[] = {
    {"threePlanes", false, 0, 80, 74},
    {"fourPlanes", false, 1, 102, 94},
    {"threePlanesAndResolution", true, 0, 96, 90},
    {"fourPlanesAndResolution", true, 1, 118, 110},
};

// An image whose creation text is the longest of its form: sizes of 11
// characters, planes at 16-digit addresses (never read through: the bridge
// only writes them down) and, if asked, a resolution of 13 characters.
constexpr int32_t kWidest = std::numeric_limits<int32_t>::min();

ImageShape longest_shape(int32_t has_alpha) {
    return {.width = kWidest, .height = kWidest, .has_alpha = has_alpha};
}

void make_longest(TestImage &image, bool resolution) {
    for (std::uintptr_t i = 0; i < 4; ++i) {
        image.record().planes[i] = reinterpret_cast<uint8_t *>( // NOLINT(performance-no-int-to-ptr)
            std::uintptr_t{0xFEDCBA9876543210u} + i);
    }
    if (resolution) {
        zoImageSetAttribString(image.get(), "ResolutionUnit", "other"); // per centimetre
        const double x_resolution = -1.7976931348623157e308;
        zoImageSetAttribReal(image.get(), "XResolution", &x_resolution, 1);
    }
}

// Its text, spelt out, with the locale's decimal separator.
std::string longest_text(bool resolution, int32_t has_alpha, const char *separator = ".") {
#if defined(_WIN32)
    const char *const planes[] = {"FEDCBA9876543210", "FEDCBA9876543211", "FEDCBA9876543212",
                                  "FEDCBA9876543213"};
#else
    const char *const planes[] = {"0xfedcba9876543210", "0xfedcba9876543211", "0xfedcba9876543212",
                                  "0xfedcba9876543213"};
#endif
    std::string text = "-2147483648x-2147483648";
    for (int i = 0; i < (has_alpha != 0 ? 4 : 3); ++i) {
        text += std::string(" ") + planes[i];
    }
    text += resolution ? std::string(" -r-1") + separator + "79769e+307" : "";
    text += has_alpha != 0 ? " -a" : "";
    return text;
}

// The text the bridge hands to the RGB image kind for an image.
std::vector<standin::TraceRecord> text_handed_on(zoImage *image, FakeCanvas &canvas) {
    const vgContext *context = vgContextZoImage();
    vgTraceClear();
    context->create_canvas(canvas.get(), image);
    return vgTraceRecords();
}

class LongestTextTest : public TracedTest, public ::testing::WithParamInterface<LongestText> {};

TEST_P(LongestTextTest, ArrivesWhole) {
    const LongestText &c = GetParam();
    TestImage image(longest_shape(c.has_alpha));
    make_longest(image, c.resolution);
    FakeCanvas canvas;
    const std::string text = longest_text(c.resolution, c.has_alpha);
#if defined(_WIN32)
    EXPECT_EQ(text.size(), c.windows_length);
#else
    EXPECT_EQ(text.size(), c.length);
#endif
    EXPECT_EQ(text_handed_on(image.get(), canvas),
              std::vector{standin::call("rgb_image_create_canvas", canvas.get(), text.c_str())});
}

#if !defined(_WIN32)
// A decimal separator of two bytes (U+066B in ps_AF) makes the longest text
// 119 bytes, one more than with a point, and it must still arrive whole.
TEST_F(ImageCanvasTest, TwoByteDecimalSeparatorStillFits) {
    ASSERT_NE(std::setlocale(LC_NUMERIC, "ps_AF.UTF-8"), nullptr)
        << "the ps_AF.UTF-8 locale the build makes is missing (LOCPATH)";
    TestImage image(longest_shape(1));
    make_longest(image, true);
    FakeCanvas canvas;
    const auto calls = text_handed_on(image.get(), canvas);
    std::setlocale(LC_NUMERIC, "C");
    const std::string text = longest_text(true, 1, "\u066B");
    EXPECT_EQ(text.size(), 119u);
    EXPECT_EQ(calls,
              std::vector{standin::call("rgb_image_create_canvas", canvas.get(), text.c_str())});
}
#endif

INSTANTIATE_TEST_SUITE_P(Forms, LongestTextTest, ::testing::ValuesIn(kLongestTexts),
                         [](const auto &info) { return std::string(info.param.name); });

// The text is written under the process's numeric locale, which the canvas
// library reads it back under.  The build makes the locale this needs.
TEST_F(ImageCanvasTest, CommaLocaleWritesACommaInTheResolution) {
    ASSERT_NE(std::setlocale(LC_NUMERIC, kCommaLocale), nullptr)
        << "the comma locale " << kCommaLocale << " is missing";
    TestImage image({.width = 640, .height = 480});
    zoImageSetAttribString(image.get(), "ResolutionUnit", "DPI");
    const double dpi = 72;
    zoImageSetAttribReal(image.get(), "XResolution", &dpi, 1);
    FakeCanvas canvas;
    const vgContext *context = vgContextZoImage();
    vgTraceClear();
    context->create_canvas(canvas.get(), image.get());
    std::setlocale(LC_NUMERIC, "C");

    const std::string text = "640x480" + addresses(image, 3) + " -r2,83465";
    EXPECT_EQ(vgTraceRecords(),
              std::vector{standin::call("rgb_image_create_canvas", canvas.get(), text.c_str())});
}

TEST_F(ImageCanvasTest, ImagesThatAreNotRgbBytesAreNeitherReadNorHandedOn) {
    struct Refused {
        int32_t color_space, sample_type;
    };
    const vgContext *context = vgContextZoImage();
    vgTraceClear();
    for (const Refused r : {Refused{1, 0}, {2, 0}, {3, 0}, {4, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
        TestImage image({.color_space = r.color_space, .sample_type = r.sample_type});
        zoImageSetAttribString(image.get(), "ResolutionUnit", "DPI");
        FakeCanvas canvas;
        context->create_canvas(canvas.get(), image.get());
    }
    EXPECT_EQ(vgTraceCount(), 0u);
    EXPECT_EQ(zoTraceCount(), 0u);
}

// What the kind makes canvases over: only records whose planes hold the
// image, which a canvas made over them draws into; any other record is
// neither read nor handed on.  With and without an alpha plane.
class ImageCanvasRecordTest : public TracedTest, public ::testing::WithParamInterface<Handling> {};

TEST_P(ImageCanvasRecordTest, IsMadeOverWholeRecordsOnly) {
    const Handling &handling = GetParam();
    const vgContext *context = vgContextZoImage();
    for (const int32_t has_alpha : {0, 1}) {
        RecordUnderTest image(handling.record, {.has_alpha = has_alpha});
        vgTraceClear();
        zoTraceClear();
        const testkit::Canvas canvas(vgCanvasCreateWithContext(context, image.get()));
        vgCanvasFillRect(canvas.get(), 0, 0, 8, 8, 0xFF102030u);
        if (handling.handed_on) {
            EXPECT_TRUE(called("rgb_image_create_canvas")) << "has_alpha " << has_alpha;
        } else {
            EXPECT_EQ(vgTraceCount(), 0u) << "has_alpha " << has_alpha;
            EXPECT_EQ(zoTraceCount(), 0u) << "has_alpha " << has_alpha;
            EXPECT_EQ(canvas, nullptr) << "has_alpha " << has_alpha;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Records, ImageCanvasRecordTest, ::testing::ValuesIn(kPlaneHandling),
                         [](const auto &info) { return std::string(name(info.param.record)); });

// End to end: a canvas made over an image draws into the image's own planes.
TEST(ImageCanvasPixels, DrawingOnTheCanvasChangesTheImage) {
    zoImage *target = zoImageCreateRGB(6, 4, 0);
    zoImageSetAttribString(target, "ResolutionUnit", "DPI");
    const double dpi = 254;
    zoImageSetAttribReal(target, "XResolution", &dpi, 1);

    vgCanvas *canvas = vgCanvasCreateWithContext(vgContextZoImage(), target);
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(vgCanvasWidth(canvas), 6);
    EXPECT_EQ(vgCanvasHeight(canvas), 4);
    EXPECT_DOUBLE_EQ(vgCanvasResolution(canvas), 10.0);
    EXPECT_EQ(vgCanvasPlane(canvas, 0), target->planes[0]);

    zoImage *stamp = zoImageCreateRGB(1, 1, 0);
    stamp->planes[0][0] = 10;
    stamp->planes[1][0] = 20;
    stamp->planes[2][0] = 30;
    vgCanvasPutZoImage(canvas, stamp, 2, 1, 2, 2);
    vgCanvasDestroy(canvas);

    for (int32_t y = 0; y < 4; ++y) {
        for (int32_t x = 0; x < 6; ++x) {
            const bool inside = x >= 2 && x < 4 && y >= 1 && y < 3;
            const std::size_t i = static_cast<std::size_t>(y) * 6 + x;
            EXPECT_EQ(target->planes[0][i], inside ? 10 : 0) << x << "," << y;
            EXPECT_EQ(target->planes[1][i], inside ? 20 : 0) << x << "," << y;
            EXPECT_EQ(target->planes[2][i], inside ? 30 : 0) << x << "," << y;
        }
    }
    zoImageFree(stamp);
    zoImageFree(target);
}

TEST(ImageCanvasPixels, AlphaImageGivesACanvasWithItsAlphaPlane) {
    zoImage *target = zoImageCreateRGB(3, 3, 1);
    vgCanvas *canvas = vgCanvasCreateWithContext(vgContextZoImage(), target);
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(vgCanvasPlane(canvas, 3), target->planes[3]);
    EXPECT_EQ(vgCanvasResolution(canvas), 0.0);
    vgCanvasDestroy(canvas);
    zoImageFree(target);
}

TEST(ImageCanvasPixels, IndexedImageGetsNoCanvas) {
    zoImage *indexed = zoImageCreateIndexed(3, 3, ZO_COLOR_SPACE_INDEXED1);
    EXPECT_EQ(vgCanvasCreateWithContext(vgContextZoImage(), indexed), nullptr);
    zoImageFree(indexed);
}

} // namespace
