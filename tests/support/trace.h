// The test fixture that turns the stand-ins' call traces on.
#ifndef VGZO_TESTS_TRACE_H
#define VGZO_TESTS_TRACE_H

#include <gtest/gtest.h>

#include "support/trace_format.h"

namespace trace {

// Turns both traces on, empty, for each test, and off again after it.
class TracedTest : public ::testing::Test {
protected:
    void SetUp() override {
        vgTraceEnable(1);
        zoTraceEnable(1);
        vgTraceClear();
        zoTraceClear();
    }
    void TearDown() override {
        vgTraceEnable(0);
        zoTraceEnable(0);
        vgTraceClear();
        zoTraceClear();
    }
};

} // namespace trace

#endif // VGZO_TESTS_TRACE_H
