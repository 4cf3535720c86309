// SPDX-License-Identifier: MIT
// Many threads making their first call of vgContextZoImage at once and then
// using the context record, and threads reading the record while others call
// it, each in a fresh process so that the calls really are the first.  Run
// under the thread sanitizer in CI, which reports any unordered access to the
// lazily filled items.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "support/fresh_process.h"
#include "vg_standin.h"
#include "vgzo/vgzo.h"
#include "zo_standin.h"

namespace {

// What each thread does with the record after its own first call.
struct AfterTheCall {
    const char *name;
    // Whether the thread first waits for every thread's call to return.
    bool once_every_call_returned;
    bool (*use)(const vgContext *context); // true if the record served
};

const AfterTheCall kAfterTheCall[] = {
    // A canvas made through the record works at once.
    {"MakesACanvasAtOnce", false,
     [](const vgContext *context) {
         zoImage *image = zoImageCreateRGB(2, 2, 0);
         vgCanvas *canvas = vgCanvasCreateWithContext(context, image);
         const bool made = canvas != nullptr;
         if (canvas != nullptr) {
             vgCanvasDestroy(canvas);
         }
         zoImageFree(image);
         return made;
     }},
    // The record, read with plain loads as a canvas library written in C
    // reads it, is filled in.  Only once every thread has called: the thread
    // sanitizer counts a first call's failing compare-and-exchange as a
    // write, and would flag a read that overlaps it although nothing is
    // stored then.
    {"ReadsTheRecordOnceAllHaveCalled", true,
     [](const vgContext *context) {
         const volatile vgContext &record = *context;
         return record.operations[0] == vgContextImageRGB()->operations[0] &&
                record.create_canvas != nullptr;
     }},
};

class FirstCallsFromManyThreads : public ::testing::TestWithParam<AfterTheCall> {};

void first_calls_from_many_threads(const AfterTheCall &after) {
    constexpr int kThreads = 16;
    std::atomic<int> waiting{kThreads};
    std::atomic<int> returned{0};
    std::vector<const vgContext *> seen(kThreads);
    std::vector<int> served(kThreads);
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
            if (after.once_every_call_returned) {
                returned.fetch_add(1);
                while (returned.load() < kThreads) {
                    std::this_thread::yield();
                }
            }
            served[t] = after.use(context);
        });
    }
    for (std::thread &thread : threads) {
        thread.join();
    }
    const vgContext *expected = vgContextZoImage();
    for (int t = 0; t < kThreads; ++t) {
        EXPECT_EQ(seen[t], expected) << "thread " << t;
        EXPECT_TRUE(served[t]) << "thread " << t;
    }
    EXPECT_EQ(expected->operations[0], vgContextImageRGB()->operations[0]);
}

TEST_P(FirstCallsFromManyThreads, Agree) {
    support::in_fresh_process([] { first_calls_from_many_threads(GetParam()); });
}

INSTANTIATE_TEST_SUITE_P(ImageCanvasThreads, FirstCallsFromManyThreads,
                         ::testing::ValuesIn(kAfterTheCall),
                         [](const auto &info) { return std::string(info.param.name); });

// Every field of the record, read as a canvas library written in C reads it:
// plain loads (volatile only keeps the compiler from reusing one round's
// loads in the next).
std::uintptr_t read_record(const vgContext *context) {
    const volatile vgContext &record = *context;
    std::uintptr_t seen = record.flags ^ static_cast<std::uint32_t>(record.kind);
    seen ^= reinterpret_cast<std::uintptr_t>(record.create_canvas);
    for (const volatile vgOperation &operation : record.operations) {
        seen ^= reinterpret_cast<std::uintptr_t>(operation);
    }
    return seen;
}

// While the RGB image kind's operations[0] is null, every call fetches it
// again; the record must not be stored into meanwhile, or the plain reads
// race with the stores.
void readers_while_the_fetch_repeats() {
    constexpr int kCallers = 4;
    constexpr int kReaders = 4;
    constexpr int kRounds = 2000;
    vgContextImageRGBSetOperation0(nullptr);
    const vgContext *context = vgContextZoImage(); // made before the threads start
    const std::uintptr_t before = read_record(context);
    std::atomic<int> waiting{kCallers + kReaders};
    std::vector<std::uintptr_t> seen(kCallers + kReaders);
    std::vector<std::thread> threads;
    threads.reserve(kCallers + kReaders);
    for (int t = 0; t < kCallers + kReaders; ++t) {
        threads.emplace_back([&, t] {
            waiting.fetch_sub(1);
            while (waiting.load() > 0) {
                std::this_thread::yield();
            }
            std::uintptr_t last = 0;
            for (int round = 0; round < kRounds; ++round) {
                last = t < kCallers ? reinterpret_cast<std::uintptr_t>(vgContextZoImage())
                                    : read_record(context);
            }
            seen[t] = last;
        });
    }
    for (std::thread &thread : threads) {
        thread.join();
    }
    for (int t = 0; t < kCallers + kReaders; ++t) {
        const std::uintptr_t expected =
            t < kCallers ? reinterpret_cast<std::uintptr_t>(context) : before;
        EXPECT_EQ(seen[t], expected) << "thread " << t;
    }
    EXPECT_EQ(context->operations[0], nullptr);
}

TEST(ImageCanvasThreads, ReadersOfTheRecordSeeNoStoreWhileTheFetchRepeats) {
    support::in_fresh_process(readers_while_the_fetch_repeats);
}

} // namespace
