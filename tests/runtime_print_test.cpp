// SPDX-License-Identifier: MIT
// The formatter the creation text is written with, on its own (built into
// this test from the library's source): a text fits with its NUL or is
// refused, never cut short.
#include <gtest/gtest.h>

#include <cstring>

#include "runtime_print_p.h"

namespace {

using vgzo::print_with_runtime;

TEST(RuntimePrint, TextThatFitsWithItsNulIsWritten) {
    char buffer[4] = {'x', 'x', 'x', 'x'};
    EXPECT_TRUE(print_with_runtime(buffer, sizeof buffer, "%d%s", 12, "3"));
    EXPECT_STREQ(buffer, "123");
    EXPECT_TRUE(print_with_runtime(buffer, 1, "%s", ""));
    EXPECT_EQ(buffer[0], '\0');
}

TEST(RuntimePrint, TextOneCharacterTooLongIsRefused) {
    char buffer[4];
    EXPECT_FALSE(print_with_runtime(buffer, sizeof buffer, "%s", "1234"));
    EXPECT_FALSE(print_with_runtime(buffer, sizeof buffer, "%d", 12345678));
    EXPECT_LT(std::strlen(buffer), sizeof buffer); // terminated whatever is in it
}

// A wide character the C locale has no bytes for: the runtime reports an
// error instead of a length.
TEST(RuntimePrint, TextTheRuntimeCannotWriteIsRefused) {
    char buffer[8];
    EXPECT_FALSE(print_with_runtime(buffer, sizeof buffer, "%ls", L"\u4e2d"));
}

TEST(RuntimePrint, NoBufferGetsNoText) {
    char buffer[1] = {'x'};
    EXPECT_FALSE(print_with_runtime(buffer, 0, "%s", ""));
    EXPECT_EQ(buffer[0], 'x');
}

} // namespace
