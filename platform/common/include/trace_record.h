/* SPDX-License-Identifier: MIT */
/* One traced call of a stand-in function: its name and its arguments, each
 * kept with its type.  The stand-ins write these records and the checks read
 * and compare them as they are; text is made from a record only to show it,
 * by the one formatter below.  C++ only. */
#ifndef VGZO_PLATFORM_TRACE_RECORD_H
#define VGZO_PLATFORM_TRACE_RECORD_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace standin {

/* One argument: an address, a 32-bit integer, a byte, a double or a text (a
 * char pointer is always a text, kept as "no text" when null).  Doubles
 * compare by their bits, so that a NaN equals itself and -0 differs from 0:
 * an argument must arrive exactly as it was given. */
class TraceValue {
public:
    enum class Kind : uint8_t { pointer, int32, byte, real, text, no_text };

    template <class T> TraceValue(T *pointer) : kind_(Kind::pointer), pointer_(pointer) {}
    TraceValue(std::nullptr_t) : kind_(Kind::pointer), pointer_(nullptr) {}
    TraceValue(int32_t value) : kind_(Kind::int32), int32_(value) {}
    TraceValue(uint8_t value) : kind_(Kind::byte), byte_(value) {}
    TraceValue(double value) : kind_(Kind::real), real_(value) {}
    TraceValue(const char *text)
        : kind_(text != nullptr ? Kind::text : Kind::no_text), text_(text != nullptr ? text : "") {}
    TraceValue(std::string_view text) : kind_(Kind::text), text_(text) {}
    /* Any other type would be kept through an accidental conversion. */
    template <class T> TraceValue(T) = delete;

    Kind kind() const { return kind_; }
    const void *pointer() const { return kind_ == Kind::pointer ? pointer_ : nullptr; }
    const std::string &text() const { return text_; }

    friend bool operator==(const TraceValue &a, const TraceValue &b) {
        if (a.kind_ != b.kind_) {
            return false;
        }
        switch (a.kind_) {
        case Kind::pointer:
            return a.pointer_ == b.pointer_;
        case Kind::int32:
            return a.int32_ == b.int32_;
        case Kind::byte:
            return a.byte_ == b.byte_;
        case Kind::real:
            return bits(a.real_) == bits(b.real_);
        case Kind::text:
            return a.text_ == b.text_;
        case Kind::no_text:
            return true;
        }
        return false;
    }

    /* Pointers as %p, 32-bit integers as %d, bytes as %u, doubles as %.17g,
     * texts quoted, a null text as NULL. */
    void print(std::string &out) const {
        char buffer[64];
        int length = 0;
        switch (kind_) {
        case Kind::pointer:
            length = std::snprintf(buffer, sizeof buffer, "%p", pointer_);
            break;
        case Kind::int32:
            length = std::snprintf(buffer, sizeof buffer, "%d", int32_);
            break;
        case Kind::byte:
            length = std::snprintf(buffer, sizeof buffer, "%u", unsigned{byte_});
            break;
        case Kind::real:
            length = std::snprintf(buffer, sizeof buffer, "%.17g", real_);
            break;
        case Kind::text:
            out += '"';
            out += text_;
            out += '"';
            return;
        case Kind::no_text:
            out += "NULL";
            return;
        }
        if (length > 0) {
            out.append(buffer, static_cast<std::size_t>(length));
        }
    }

private:
    /* The double's bits; std::memcpy rather than std::bit_cast, which the
     * C++ library of g++ 10 lacks. */
    static uint64_t bits(double value) {
        uint64_t result;
        static_assert(sizeof result == sizeof value);
        std::memcpy(&result, &value, sizeof result);
        return result;
    }

    Kind kind_;
    union {
        const void *pointer_;
        int32_t int32_;
        uint8_t byte_;
        double real_;
    };
    std::string text_;
};

struct TraceRecord {
    std::string function;
    std::vector<TraceValue> arguments;

    friend bool operator==(const TraceRecord &, const TraceRecord &) = default;

    /* "name(argument, argument, ...)" */
    std::string to_string() const {
        std::string text = function + '(';
        const char *separator = "";
        for (const TraceValue &argument : arguments) {
            text += separator;
            argument.print(text);
            separator = ", ";
        }
        return text + ')';
    }

    friend std::ostream &operator<<(std::ostream &out, const TraceRecord &record) {
        return out << record.to_string();
    }
};

/* The record of a call, as a check expects it or a stand-in writes it. */
template <class... Args> TraceRecord call(std::string_view function, Args... arguments) {
    return TraceRecord{std::string(function), {TraceValue(arguments)...}};
}

} // namespace standin

#endif /* VGZO_PLATFORM_TRACE_RECORD_H */
