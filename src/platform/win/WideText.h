// UTF-16 at the Windows API: conversions between byte strings in a code page and wide strings.
#pragma once

#include <string>
#include <string_view>

namespace platform::win {

// The UTF-8 code page number of the Windows API.
constexpr unsigned Utf8CodePage = 65001;

// Bytes in a code page to UTF-16. A byte or pair the code page has no character for becomes the
// code page's default character (U+FFFD for UTF-8).
std::wstring ToWide(std::string_view bytes, unsigned codePage);
// UTF-16 to a code page. A character the code page lacks becomes "?" (never a look-alike, so that
// a file name never silently turns into another one).
std::string FromWide(std::wstring_view wide, unsigned codePage);

} // namespace platform::win
