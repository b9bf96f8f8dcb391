// The operating-system primitives under the portable platform code. One implementation for
// POSIX (posix/) and one for Windows (win/); the build picks the one for its target, and nothing
// outside src/platform includes this header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform::native {

// The system's millisecond counter, truncated to 32 bits.
std::uint32_t TickCount();

// The UTF-8 form of one character of a Windows code page (one byte, or a lead and a trail byte);
// empty when the code page has no such character.
std::string CharToUtf8(const char* bytes, std::size_t length, unsigned codePage);
// UTF-8 text in a Windows code page: a character the code page lacks, or a byte that is no
// UTF-8, becomes "?".
std::string Utf8ToCodePage(std::string_view utf8, unsigned codePage);

} // namespace platform::native
