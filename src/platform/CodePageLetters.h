// The letters of each supported code page's single bytes, the same on every platform: a byte is a
// letter when its code page maps it on its own to a Unicode letter or combining mark (general
// category L or M). The table is generated from Unicode data (scripts/gen-letter-tables.py).
#pragma once

#include <array>
#include <cstdint>

namespace platform {

// 256 bits, bit b of word w standing for byte 32 * w + b.
using TLetterBits = std::array<std::uint32_t, 8>;

// The letter bits of a code page, or nullptr for a number that is no supported code page.
const TLetterBits* LetterBitsOf(int codePage);

inline bool IsLetterIn(const TLetterBits& bits, unsigned char byte) {
    return (bits[byte / 32] >> (byte % 32)) & 1u;
}

} // namespace platform
