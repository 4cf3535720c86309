// SPDX-License-Identifier: MIT
// Reads typed values off the fuzzer's bytes, front to back.  Past the end
// every read yields zero bytes, so any input, however short, decodes to
// something and the decoder never has to check for the end itself.
#ifndef VGZO_FUZZ_INPUT_READER_H
#define VGZO_FUZZ_INPUT_READER_H

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

namespace fuzz {

class InputReader {
public:
    InputReader(const uint8_t *data, std::size_t size) : data_(data), size_(size) {}

    uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }

    uint32_t u32() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            value = value << 8 | byte();
        }
        return value;
    }

    uint64_t u64() { return uint64_t{u32()} << 32 | u32(); }

    int32_t i32() { return static_cast<int32_t>(u32()); }

    double f64() { return std::bit_cast<double>(u64()); }

    // One of the table's entries.
    template <typename T, std::size_t N> T pick(const std::array<T, N> &table) {
        return table[byte() % N];
    }

    // Any int32, but mostly one of the values code tends to single out.
    int32_t biased_i32() {
        static constexpr std::array<int32_t, 12> kInteresting{0,
                                                              1,
                                                              2,
                                                              3,
                                                              4,
                                                              -1,
                                                              5,
                                                              -2,
                                                              255,
                                                              256,
                                                              std::numeric_limits<int32_t>::min(),
                                                              std::numeric_limits<int32_t>::max()};
        return byte() < 192 ? pick(kInteresting) : i32();
    }

    // Any double, but mostly a boundary or non-finite value.
    double biased_f64() {
        using limits = std::numeric_limits<double>;
        static constexpr std::array<double, 20> kInteresting{0.0,
                                                             -0.0,
                                                             1.0,
                                                             -1.0,
                                                             0.5,
                                                             -2.5,
                                                             72.0,
                                                             300.0,
                                                             limits::quiet_NaN(),
                                                             -limits::quiet_NaN(),
                                                             limits::infinity(),
                                                             -limits::infinity(),
                                                             limits::max(),
                                                             -limits::max(),
                                                             limits::min(),
                                                             limits::denorm_min(),
                                                             -limits::denorm_min(),
                                                             2147483647.5,
                                                             -2147483648.5,
                                                             1e300};
        return byte() < 192 ? pick(kInteresting) : f64();
    }

    // Up to max_length bytes as a C text: cut at the first NUL, as a C
    // interface would see it.
    std::string text(std::size_t max_length) {
        const std::size_t length = byte() % (max_length + 1);
        std::string out;
        for (std::size_t i = 0; i < length; ++i) {
            const auto c = static_cast<char>(byte());
            if (c == '\0') {
                break;
            }
            out += c;
        }
        return out;
    }

    bool exhausted() const { return at_ >= size_; }

private:
    const uint8_t *data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

} // namespace fuzz

#endif // VGZO_FUZZ_INPUT_READER_H
