// SPDX-License-Identifier: MIT
// Many threads making their first call of vgContextZoImage at once, in a
// fresh process so that the calls really are the first.  Run under the
// thread sanitizer in CI, which reports any unordered access to the lazily
// filled items.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "support/fresh_process.h"
#include "vg_standin.h"
#include "vgzo/vgzo.h"
#include "zo_standin.h"

namespace {

void first_calls_from_many_threads() {
    constexpr int kThreads = 16;
    std::atomic<int> waiting{kThreads};
    std::vector<const vgContext *> seen(kThreads);
    std::vector<int> made(kThreads);
    std::vector<std::thread> threads;
    threads.reserve(kThreads);
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            // Start together so the first calls overlap.
            waiting.fetch_sub(1);
            while (waiting.load() > 0) {
                std::this_thread::yield();
            }
            const vgContext *context = vgContextZoImage();
            seen[t] = context;
            // The record is usable at once: a canvas made through it works.
            zoImage *image = zoImageCreateRGB(2, 2, 0);
            vgCanvas *canvas = vgCanvasCreateWithContext(context, image);
            made[t] = canvas != nullptr;
            if (canvas != nullptr) {
                vgCanvasDestroy(canvas);
            }
            zoImageFree(image);
        });
    }
    for (std::thread &thread : threads) {
        thread.join();
    }
    const vgContext *expected = vgContextZoImage();
    for (int t = 0; t < kThreads; ++t) {
        EXPECT_EQ(seen[t], expected) << "thread " << t;
        EXPECT_TRUE(made[t]) << "thread " << t;
    }
    EXPECT_EQ(expected->operations[0], vgContextImageRGB()->operations[0]);
}

TEST(ImageCanvasThreads, FirstCallsFromManyThreadsAgree) {
    support::in_fresh_process(first_calls_from_many_threads);
}

} // namespace
