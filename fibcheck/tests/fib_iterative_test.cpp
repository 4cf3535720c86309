// SPDX-License-Identifier: MIT
#include "fib_iterative.h"

#include "fib_cases.h"

#include <gtest/gtest.h>

namespace {

class FibIterative : public testing::TestWithParam<FibCase> {};

TEST_P(FibIterative, KnownValue) {
    EXPECT_EQ(fib(GetParam().n), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Shared, FibIterative, testing::ValuesIn(kSharedCases));
INSTANTIATE_TEST_SUITE_P(Large, FibIterative, testing::ValuesIn(kLargeCases));

} // namespace
