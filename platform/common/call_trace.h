/* Call trace shared by the two stand-in libraries: one text line per call,
 * "name(arg, arg, ...)", each argument formatted by its type so that every
 * function logs alike (pointers %p, 32-bit integers %d, bytes %u, doubles
 * %.17g, texts quoted or NULL).  Off by default; while off a call costs one
 * relaxed atomic load, since benchmarks call traced functions millions of
 * times.  Lines live in a deque so a returned line stays put while others are
 * appended; they go away only when the trace is cleared. */
#ifndef VGZO_PLATFORM_CALL_TRACE_H
#define VGZO_PLATFORM_CALL_TRACE_H

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <mutex>
#include <string>
#include <utility>

namespace standin {

/* A text argument: printed in double quotes, or NULL unquoted when null. */
struct Text {
    const char *text;
};

class CallTrace {
public:
    /* Arguments are all scalars, pointers or Text, taken by value so the
     * fast path never has to spill them to memory. */
    template <class... Args> void call(const char *name, Args... args) noexcept {
        if (!on_.load(std::memory_order_relaxed)) {
            [[likely]] return;
        }
        record(name, args...);
    }

    void enable(bool on) noexcept { on_.store(on, std::memory_order_relaxed); }

    void clear() noexcept {
        std::lock_guard lock(mutex_);
        lines_.clear();
    }

    std::size_t count() noexcept {
        std::lock_guard lock(mutex_);
        return lines_.size();
    }

    const char *line(std::size_t index) noexcept {
        std::lock_guard lock(mutex_);
        return index < lines_.size() ? lines_[index].c_str() : nullptr;
    }

private:
    template <class... Args>
    [[gnu::noinline, gnu::cold]] void record(const char *name, Args... args) noexcept {
        try {
            std::string text = name;
            text += '(';
            [[maybe_unused]] const char *separator = "";
            ((text += separator, append(text, args), separator = ", "), ...);
            text += ')';
            std::lock_guard lock(mutex_);
            lines_.push_back(std::move(text));
        } catch (...) {
            /* Out of memory: losing a trace line beats an exception crossing
             * the C interface. */
        }
    }

    static void append(std::string &out, int32_t value) { print(out, "%d", value); }
    static void append(std::string &out, uint8_t value) { print(out, "%u", unsigned{value}); }
    static void append(std::string &out, double value) { print(out, "%.17g", value); }
    template <class T> static void append(std::string &out, T *pointer) {
        print(out, "%p", static_cast<const void *>(pointer));
    }
    static void append(std::string &out, Text value) {
        if (!value.text) {
            out += "NULL";
            return;
        }
        out += '"';
        out += value.text;
        out += '"';
    }
    /* Any other type would be formatted by an accidental conversion. */
    template <class T> static void append(std::string &out, T value) = delete;

    template <class Value> static void print(std::string &out, const char *format, Value value) {
        char buffer[64];
        const int length = std::snprintf(buffer, sizeof buffer, format, value);
        if (length > 0) {
            out.append(buffer, static_cast<std::size_t>(length));
        }
    }

    std::atomic<bool> on_{false};
    std::mutex mutex_;
    std::deque<std::string> lines_;
};

} // namespace standin

#endif /* VGZO_PLATFORM_CALL_TRACE_H */
