// Formatted printing into a buffer by the platform's C runtime.
#ifndef VGZO_RUNTIME_PRINT_H
#define VGZO_RUNTIME_PRINT_H

#include <cstddef>

namespace vgzo {

// Like snprintf under the current locale, but always the C runtime's own
// formatter: the canvas library reads the creation text back as that runtime
// writes it.  Returns the text's length, or -1 when it does not fit in size
// bytes with its NUL; the buffer then holds no text to be used.
[[gnu::format(printf, 3, 4)]] int print_with_runtime(char *buffer, std::size_t size,
                                                     const char *format, ...);

} // namespace vgzo

#endif // VGZO_RUNTIME_PRINT_H
