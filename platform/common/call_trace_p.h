/* SPDX-License-Identifier: MIT */
/* Call trace shared by the two stand-in libraries: one typed record per call
 * (trace_record.h).  Off by default; while off a call costs one relaxed
 * atomic load, since benchmarks call traced functions millions of times. */
#ifndef VGZO_PLATFORM_CALL_TRACE_P_H
#define VGZO_PLATFORM_CALL_TRACE_P_H

#include <atomic>
#include <cstddef>
#include <mutex>
#include <utility>
#include <vector>

#include "trace_record.h"

namespace standin {

class CallTrace {
public:
    /* Arguments are all scalars, pointers or texts, taken by value so the
     * fast path never has to spill them to memory. */
    template <class... Args> void call(const char *name, Args... args) noexcept {
        /* record() is cold, which is hint enough that tracing is off (and
         * clang 11 does not know [[likely]]). */
        if (!on_.load(std::memory_order_relaxed)) {
            return;
        }
        record(name, args...);
    }

    void enable(bool on) noexcept { on_.store(on, std::memory_order_relaxed); }

    void clear() noexcept {
        std::lock_guard lock(mutex_);
        records_.clear();
    }

    std::size_t count() noexcept {
        std::lock_guard lock(mutex_);
        return records_.size();
    }

    /* A copy of the records so far; empty when memory runs out. */
    std::vector<TraceRecord> records() noexcept {
        try {
            std::lock_guard lock(mutex_);
            return records_;
        } catch (...) {
            return {};
        }
    }

private:
    template <class... Args>
    [[gnu::noinline, gnu::cold]] void record(const char *name, Args... args) noexcept {
        try {
            TraceRecord record = standin::call(name, args...);
            std::lock_guard lock(mutex_);
            records_.push_back(std::move(record));
        } catch (...) {
            /* Out of memory: losing a trace record beats an exception
             * crossing the C interface. */
        }
    }

    std::atomic<bool> on_{false};
    std::mutex mutex_;
    std::vector<TraceRecord> records_;
};

} // namespace standin

#endif /* VGZO_PLATFORM_CALL_TRACE_P_H */
