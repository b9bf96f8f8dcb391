// UTF-8 (the presenters' texts and paths) to UTF-16 (the window system's) and back.
#pragma once

#include "platform/win/WideText.h"
#include "presenters/UiTexts.h"

#include <string>
#include <string_view>

namespace win32 {

inline std::wstring Wide(std::string_view utf8) {
    return platform::win::ToWide(utf8, platform::win::Utf8CodePage);
}
// A caption or message of the presenters in the process's language.
inline std::wstring Wide(const uitext::TText& text) { return Wide(uitext::Text(text)); }
inline std::string Utf8(std::wstring_view wide) {
    return platform::win::FromWide(wide, platform::win::Utf8CodePage);
}

} // namespace win32
