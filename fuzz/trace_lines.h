// The stand-ins' call traces as the harness reads them, the trace lines it
// expects, and how it stops on a broken promise.
#ifndef VGZO_FUZZ_TRACE_LINES_H
#define VGZO_FUZZ_TRACE_LINES_H

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/trace_format.h"

namespace fuzz {

// Stops the run: libFuzzer keeps the input that got here as a crash.
[[noreturn]] inline void broken(std::string_view promise, const std::string &detail = {}) {
    std::fprintf(stderr, "\n==vgzo fuzz== broken promise: %.*s\n%s\n",
                 static_cast<int>(promise.size()), promise.data(), detail.c_str());
    std::fflush(stderr);
    __builtin_trap();
}

inline void require(bool holds, std::string_view promise, const std::string &detail = {}) {
    if (!holds) {
        broken(promise, detail);
    }
}

using trace::arg;
using trace::call;

// The lines traced since the last clear; the trace is cleared again.
inline std::vector<std::string> take_vg_lines() {
    std::vector<std::string> lines = trace::vg_calls();
    vgTraceClear();
    return lines;
}

inline std::vector<std::string> take_zo_lines() {
    std::vector<std::string> lines = trace::zo_calls();
    zoTraceClear();
    return lines;
}

inline void clear_traces() {
    vgTraceClear();
    zoTraceClear();
}

inline std::string describe(const std::vector<std::string> &lines) {
    std::string text = std::to_string(lines.size()) + " line(s)";
    for (const std::string &line : lines) {
        text += "\n  " + line;
    }
    return text;
}

// The trace must hold exactly the expected lines.
inline void require_lines(std::string_view promise, const std::vector<std::string> &got,
                          const std::vector<std::string> &want) {
    if (got != want) {
        broken(promise, "expected " + describe(want) + "\ngot " + describe(got));
    }
}

// The trace must hold the one expected line, or nothing when none is expected.
inline void require_call(std::string_view promise, const std::vector<std::string> &got,
                         const std::optional<std::string> &want) {
    require_lines(promise, got, want ? std::vector{*want} : std::vector<std::string>{});
}

} // namespace fuzz

#endif // VGZO_FUZZ_TRACE_LINES_H
