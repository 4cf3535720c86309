// SPDX-License-Identifier: MIT
// The imaging stand-in: the images it makes and the attributes it keeps.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "testkit.h"

namespace {

using testkit::Image;

TEST(ImageStandIn, MakesRgbAndIndexedImages) {
    Image rgba(zoImageCreateRGB(3, 2, 1));
    ASSERT_NE(rgba, nullptr);
    EXPECT_EQ(rgba->pixel_count, 6);
    EXPECT_EQ(rgba->color_space, ZO_COLOR_SPACE_RGB);
    EXPECT_EQ(rgba->has_alpha, 1);
    EXPECT_TRUE(
        std::all_of(rgba->planes[3], rgba->planes[3] + 6, [](uint8_t a) { return a == 255; }));

    Image indexed(zoImageCreateIndexed(2, 2, ZO_COLOR_SPACE_INDEXED3));
    ASSERT_NE(indexed, nullptr);
    EXPECT_EQ(indexed->color_space, ZO_COLOR_SPACE_INDEXED3);
    EXPECT_NE(indexed->palette, nullptr);
    EXPECT_EQ(indexed->planes[1], nullptr);

    Image empty(zoImageCreateRGB(0, 5, 0));
    ASSERT_NE(empty, nullptr);
    EXPECT_NE(empty->planes[0], nullptr); // distinct, non-null planes even when empty

    EXPECT_EQ(zoImageCreateRGB(-1, 2, 0), nullptr);
    EXPECT_EQ(zoImageCreateRGB(65536, 65536, 0), nullptr); // does not fit pixel_count
    EXPECT_EQ(zoImageCreateIndexed(2, 2, 4), nullptr);
}

TEST(ImageStandIn, KeepsOneKindOfValueUnderEachName) {
    Image image(zoImageCreateRGB(1, 1, 0));
    const double values[] = {72, 96};
    zoImageSetAttribReal(image.get(), "XResolution", values, 2);
    EXPECT_EQ(zoImageGetAttribReal(image.get(), "XResolution", 1), 96);
    EXPECT_EQ(zoImageGetAttribReal(image.get(), "XResolution", 2), 0); // past the end
    EXPECT_EQ(zoImageGetAttribReal(image.get(), "XResolution", -1), 0);
    EXPECT_EQ(zoImageGetAttribString(image.get(), "XResolution"), nullptr);

    zoImageSetAttribString(image.get(), "XResolution", "text"); // replaces the reals
    EXPECT_EQ(std::string(zoImageGetAttribString(image.get(), "XResolution")), "text");
    EXPECT_EQ(zoImageGetAttribReal(image.get(), "XResolution", 0), 0);

    zoImageSetAttribString(image.get(), "XResolution", nullptr); // removes it
    EXPECT_EQ(zoImageGetAttribString(image.get(), "XResolution"), nullptr);
    EXPECT_EQ(zoImageGetAttribString(image.get(), "Absent"), nullptr);
}

TEST(ImageStandIn, TracesTheTwoQueries) {
    Image image(zoImageCreateRGB(1, 1, 0));
    const testkit::TraceSession trace;
    zoImageGetAttribString(image.get(), "ResolutionUnit");
    zoImageGetAttribReal(image.get(), "XResolution", 0);
    EXPECT_EQ(zoTraceRecords(),
              (std::vector{standin::call("zoImageGetAttribString", image.get(), "ResolutionUnit"),
                           standin::call("zoImageGetAttribReal", image.get(), "XResolution", 0)}));
}

} // namespace
