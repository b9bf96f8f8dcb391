// Names compared and hashed as VB compares them (ASCII letters folded to upper case, every other
// byte as it is), eight bytes at a time: the syntax model and the symbol table do this for every
// word and every use of a name. A name is read only inside its own bytes (loads that overlap
// instead of loads past its end), so a view at the very end of a buffer is safe.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace vbname {

inline std::uint64_t Load64(const char* p) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}
inline std::uint64_t Load32(const char* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}
inline std::uint64_t Load16(const char* p) {
    std::uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}

// Each byte from 'a' to 'z' made its upper-case letter; every other byte (those of 0x80 and above
// included) left as it is.
[[gnu::always_inline]] inline std::uint64_t FoldUpper(std::uint64_t x) {
    constexpr std::uint64_t high = 0x8080808080808080ull;
    const std::uint64_t low7 = x & ~high;
    const std::uint64_t fromA = low7 + 0x1f1f1f1f1f1f1f1full; // high bit: the byte is 'a' or more
    const std::uint64_t pastZ = low7 + 0x0505050505050505ull; // high bit: the byte is past 'z'
    const std::uint64_t lower = fromA & ~pastZ & ~x & high;
    return x - (lower >> 2); // 0x80 >> 2 == 0x20
}

// Two loads that together cover every byte of a name of 1 to 16 bytes: with the length, they tell
// the name exactly.
struct TShortKey {
    std::uint64_t Head;
    std::uint64_t Tail;
};
[[gnu::always_inline]] inline TShortKey RawShortKey(const char* p, std::size_t n) {
    if (n >= 8) return {Load64(p), Load64(p + n - 8)};
    if (n >= 4) return {Load32(p), Load32(p + n - 4)};
    if (n >= 2) return {Load16(p), Load16(p + n - 2)};
    return {n ? static_cast<unsigned char>(*p) : 0u, 0};
}
// The same, folded: names that VB takes for the same name have the same key.
[[gnu::always_inline]] inline TShortKey ShortKey(const char* p, std::size_t n) {
    const TShortKey k = RawShortKey(p, n);
    return {FoldUpper(k.Head), FoldUpper(k.Tail)};
}

inline std::uint32_t Mix(std::uint64_t h) {
    h ^= h >> 29;
    h *= 0xbf58476d1ce4e5b9ull;
    h ^= h >> 32;
    return static_cast<std::uint32_t>(h);
}

// A hash of the name in which letter case does not count: each byte is hashed with its 0x20 bit
// set, which makes an upper-case letter its lower-case one (and a few other bytes alike, which
// only costs a comparison where two such names meet).
inline std::uint32_t Hash(std::string_view name) {
    constexpr std::uint64_t caseBits = 0x2020202020202020ull;
    const char* p = name.data();
    const std::size_t n = name.size();
    std::uint64_t h = n;
    std::size_t i = 0;
    for (; i + 16 < n; i += 8) // names longer than 16 bytes: the first bytes eight at a time
        h = (h ^ (Load64(p + i) | caseBits)) * 0x100000001b3ull;
    const TShortKey k = RawShortKey(p + i, n - i);
    return Mix((h ^ (k.Head | caseBits)) * 0x9E3779B97F4A7C15ull + (k.Tail | caseBits));
}

// Letter case ignored, ASCII letters only.
inline bool Same(std::string_view a, std::string_view b) {
    const std::size_t n = a.size();
    if (n != b.size()) return false;
    const char* p = a.data();
    const char* q = b.data();
    if (n >= 8) {
        for (std::size_t i = 0;; i += 8) {
            if (i + 8 > n) i = n - 8; // the last eight bytes, overlapping what was compared
            const std::uint64_t x = Load64(p + i), y = Load64(q + i);
            if (x != y && FoldUpper(x) != FoldUpper(y)) return false;
            if (i + 8 == n) return true;
        }
    }
    const TShortKey x = RawShortKey(p, n), y = RawShortKey(q, n);
    return (x.Head == y.Head && x.Tail == y.Tail) ||
           (FoldUpper(x.Head) == FoldUpper(y.Head) && FoldUpper(x.Tail) == FoldUpper(y.Tail));
}

} // namespace vbname
