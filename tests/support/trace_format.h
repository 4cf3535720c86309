// The stand-ins' call traces as text: reading the lines, and writing the lines
// a check expects.  Shared by the tests and the fuzz target; no test framework.
#ifndef VGZO_TESTS_TRACE_FORMAT_H
#define VGZO_TESTS_TRACE_FORMAT_H

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "vg_standin.h"
#include "zo_standin.h"

namespace trace {

// One traced argument, written as the stand-ins write it.
inline std::string arg(const void *pointer) {
    char text[32];
    std::snprintf(text, sizeof text, "%p", pointer);
    return text;
}
inline std::string arg(int32_t value) {
    return std::to_string(value);
}
inline std::string arg(uint8_t value) {
    return std::to_string(unsigned{value});
}
inline std::string arg(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}
inline std::string arg(std::string_view text) {
    return '"' + std::string(text) + '"';
}
inline std::string arg(const char *text) {
    return text ? arg(std::string_view(text)) : "NULL";
}

// "name(a, b, ...)", the form of one trace line.
template <typename... Args> std::string call(std::string_view name, const Args &...args) {
    std::string line(name);
    line += '(';
    std::string_view separator;
    ((line += separator, line += arg(args), separator = ", "), ...);
    line += ')';
    return line;
}

inline std::vector<std::string> vg_calls() {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < vgTraceCount(); ++i) {
        lines.emplace_back(vgTraceLine(i));
    }
    return lines;
}

inline std::vector<std::string> zo_calls() {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < zoTraceCount(); ++i) {
        lines.emplace_back(zoTraceLine(i));
    }
    return lines;
}

} // namespace trace

#endif // VGZO_TESTS_TRACE_FORMAT_H
