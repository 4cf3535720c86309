// SPDX-License-Identifier: MIT
#include "fib_recursive.h"

#include "fib_cases.h"

#include <gtest/gtest.h>

namespace {

class FibRecursive : public testing::TestWithParam<FibCase> {};

TEST_P(FibRecursive, KnownValue) {
    EXPECT_EQ(fib(GetParam().n), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Shared, FibRecursive, testing::ValuesIn(kSharedCases));

} // namespace
