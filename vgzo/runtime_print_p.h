// SPDX-License-Identifier: MIT
// Formatted printing into a buffer by the platform's C runtime.
#ifndef VGZO_RUNTIME_PRINT_P_H
#define VGZO_RUNTIME_PRINT_P_H

#include <cstddef>

namespace vgzo {

// Like snprintf under the current locale, but always the C runtime's own
// formatter: the canvas library reads the creation text back as that runtime
// writes it.  True when the whole text fits in size bytes with its NUL;
// otherwise the buffer holds no text to be used.
[[gnu::format(printf, 3, 4)]] bool print_with_runtime(char *buffer, std::size_t size,
                                                      const char *format, ...);

} // namespace vgzo

#endif // VGZO_RUNTIME_PRINT_P_H
