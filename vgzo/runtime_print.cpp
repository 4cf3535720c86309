// SPDX-License-Identifier: MIT
// Which formatter writes the creation text: the C runtime's own, on Windows
// too.  A platform-dependent part of the library, as are pattern_array.cpp
// (a large pattern's own huge-page mapping on Linux) and dll_entry.cpp (the
// DLL's entry point on Windows).
#include "runtime_print_p.h"

#include <cstdarg>
#include <cstdio>

namespace vgzo {

bool print_with_runtime(char *buffer, std::size_t size, const char *format, ...) {
    if (size == 0) {
        return false;
    }
    std::va_list arguments;
    va_start(arguments, format);
#if defined(_WIN32)
    // MinGW's C++ library routes std::vsnprintf to MinGW's own printf, which
    // writes addresses in lower case and drops the sign of a NaN; _vsnprintf
    // is the C runtime's (msvcrt or the universal one).  It writes no NUL when
    // the text fills the buffer and returns -1 when it does not fit.
    const int length = _vsnprintf(buffer, size - 1, format, arguments);
    buffer[size - 1] = '\0';
    const bool fits = length >= 0;
#else
    const int length = std::vsnprintf(buffer, size, format, arguments);
    const bool fits = length >= 0 && static_cast<std::size_t>(length) < size;
#endif
    va_end(arguments);
    return fits;
}

} // namespace vgzo
