// Code page 932 text: double-byte character tests, stepping, and conversion to and from UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

inline bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
inline bool IsTrailByte(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

// Length in bytes of the character that starts at s[i]: 2 for a lead byte followed by a valid
// trail byte, otherwise 1 (a lead byte without a valid trail byte is a single byte).
inline std::size_t CharLength(std::string_view s, std::size_t i) {
    if (i + 1 < s.size() && IsLeadByte(static_cast<unsigned char>(s[i])) &&
        IsTrailByte(static_cast<unsigned char>(s[i + 1])))
        return 2;
    return 1;
}

// Position of the first character of s, at or after `from`, that is one of `chars` (single-byte
// characters only); a trail byte is never taken for an ASCII character. npos when none.
std::size_t FindFirstOf(std::string_view s, std::string_view chars, std::size_t from = 0);
// Position of the last such character, or npos.
std::size_t FindLastOf(std::string_view s, std::string_view chars);
// Position of the first occurrence of `what` that starts on a character boundary, or npos.
std::size_t Find(std::string_view s, std::string_view what, std::size_t from = 0);

// The text after the last "/", "\" or ":" of a path (double-byte aware).
std::string FileNamePart(std::string_view path);

// Conversion at the edges. Towards UTF-8 a byte that is not part of a valid character becomes
// U+FFFD; towards code page 932 a character the code page lacks becomes "?". Nothing throws.
std::string Cp932ToUtf8(std::string_view cp932);
std::string Utf8ToCp932(std::string_view utf8);

// ASCII-only upper case of one byte.
inline unsigned char AsciiUpper(unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 32 : c; }
// Equality ignoring ASCII letter case.
bool SameTextAscii(std::string_view a, std::string_view b);

} // namespace platform
