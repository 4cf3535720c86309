// SPDX-License-Identifier: MIT
// The fixture of the tests that read the stand-ins' call traces: both traces
// on and empty for each test, off again after it.
#ifndef VGZO_TESTS_TRACED_TEST_H
#define VGZO_TESTS_TRACED_TEST_H

#include <gtest/gtest.h>

#include <optional>

#include "test_image.h"
#include "testkit.h"
#include "vgzo/vgzo.h"

namespace support {

using testkit::FakeCanvas;
using testkit::ImageShape;
using testkit::TestImage;

class TracedTest : public ::testing::Test {
protected:
    void SetUp() override { trace_.emplace(); }
    void TearDown() override { trace_.reset(); }

private:
    std::optional<testkit::TraceSession> trace_;
};

} // namespace support

#endif // VGZO_TESTS_TRACED_TEST_H
