// SPDX-License-Identifier: MIT
// Running part of a test in a process of its own, started afresh: for checks
// of the library's process-wide state before its first use, which must hold
// whatever ran before them in the test program.
#ifndef VGZO_TESTS_FRESH_PROCESS_H
#define VGZO_TESTS_FRESH_PROCESS_H

#include <gtest/gtest.h>

#include <cstdlib>

namespace support {

// Runs `body` where nothing another test did is there.  When this process
// runs this test alone (CTest runs each test so), that is right here.
// Otherwise `body` runs in a new run of the test program that runs only the
// current test up to here (GoogleTest's "threadsafe" death-test style
// re-executes the program), and the test fails when a check fails there.
// (Under qemu-user, which cannot re-execute a program, only the first way
// works; CTest takes it.)
template <class Body> void in_fresh_process(Body body) {
    const bool alone = ::testing::UnitTest::GetInstance()->test_to_run_count() == 1 &&
                       GTEST_FLAG_GET(internal_run_death_test).empty();
    if (alone) {
        body();
        return;
    }
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            body();
            std::exit(::testing::Test::HasFailure() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "")
        << "a check failed in the fresh process (its output is above)";
}

} // namespace support

#endif // VGZO_TESTS_FRESH_PROCESS_H
