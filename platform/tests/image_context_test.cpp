// SPDX-License-Identifier: MIT
// The canvas stand-in's RGB image kind: which creation texts it reads, and
// what a canvas made from one draws into.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

#include "testkit.h"

namespace {

using testkit::Canvas;

// Planes the texts below name.
std::array<uint8_t, std::size_t{4} * 6> samples{};
uint8_t *plane(int i) {
    return samples.data() + std::ptrdiff_t{6} * i;
}

std::string address(int i, bool windows_form) {
    char text[32];
    const auto value = static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(plane(i)));
    std::snprintf(text, sizeof text, windows_form ? "%016llX" : "0x%llx", value);
    return text;
}

std::string planes(int count, bool windows_form = false) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += ' ' + address(i, windows_form);
    }
    return text;
}

struct Text {
    const char *name;
    std::string text;
    bool accepted;
    double resolution = 0;
    bool alpha = false;
};

void PrintTo(const Text &t, std::ostream *out) {
    *out << t.name << ": \"" << t.text << '"';
}

const Text kTexts[] = {
    {"glibcAddresses", "3x2" + planes(3), true},
    {"windowsAddresses", "3x2" + planes(3, true), true},
    {"resolution", "3x2" + planes(3) + " -r2.5", true, 2.5},
    {"subnormalResolution", "3x2" + planes(3) + " -r6.32404e-322", true, 6.32404e-322},
    {"hugeResolution", "3x2" + planes(3) + " -r1e309", false},
    {"alphaPlane", "3x2" + planes(4) + " -a", true, 0, true},
    {"resolutionThenAlpha", "3x2" + planes(4) + " -r10 -a", true, 10, true},
    {"tabsAndRunsOfBlanks", "3x2\t" + planes(3) + "  ", true},
    {"alphaBeforeResolution", "3x2" + planes(4) + " -a -r10", false},
    {"missingPlane", "3x2" + planes(2), false},
    {"extraPlane", "3x2" + planes(4), false},
    {"nullPlane", "3x2 0x0 " + address(1, false) + ' ' + address(2, false), false},
    {"nilPlane", "3x2 (nil)" + planes(2), false},
    {"zeroWidth", "0x2" + planes(3), false},
    {"signedSize", "+3x2" + planes(3), false},
    {"negativeResolution", "3x2" + planes(3) + " -r-1", false},
    {"notANumber", "3x2" + planes(3) + " -rnan", false},
    {"emptyResolution", "3x2" + planes(3) + " -r", false},
    {"empty", "", false},
};

class ImageKindText : public ::testing::TestWithParam<Text> {};

TEST_P(ImageKindText, IsReadOrRefused) {
    const Text &t = GetParam();
    std::string text = t.text;
    Canvas canvas(vgCanvasCreateWithContext(vgContextImageRGB(), text.data()));
    ASSERT_EQ(canvas != nullptr, t.accepted);
    if (!t.accepted) {
        return;
    }
    EXPECT_EQ(vgCanvasWidth(canvas.get()), 3);
    EXPECT_EQ(vgCanvasHeight(canvas.get()), 2);
    EXPECT_EQ(vgCanvasResolution(canvas.get()), t.resolution);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(vgCanvasPlane(canvas.get(), i), plane(i));
    }
    EXPECT_EQ(vgCanvasPlane(canvas.get(), 3), t.alpha ? plane(3) : nullptr);
}

INSTANTIATE_TEST_SUITE_P(Texts, ImageKindText, ::testing::ValuesIn(kTexts),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ImageKind, CanvasDrawsIntoTheNamedPlanes) {
    samples.fill(0);
    std::string text = "3x2" + planes(3);
    Canvas canvas(vgCanvasCreateWithContext(vgContextImageRGB(), text.data()));
    ASSERT_NE(canvas, nullptr);
    const uint8_t one[] = {200};
    vgCanvasPutImageRectRGB(canvas.get(), 1, 1, one, one, one, 2, 1, 1, 1, 0, 0, 0, 0);
    canvas.reset(); // the planes stay the caller's
    EXPECT_EQ(plane(0)[5], 200);
    EXPECT_EQ(plane(2)[5], 200);
    EXPECT_EQ(plane(0)[4], 0);
}

TEST(ImageKind, ContextHoldsItsOwnValues) {
    const vgContext *context = vgContextImageRGB();
    EXPECT_EQ(context->flags, 0x1u);
    EXPECT_EQ(context->kind, 1);
    EXPECT_NE(context->operations[0], nullptr);
    EXPECT_EQ(context->operations[1], nullptr);
}

} // namespace
