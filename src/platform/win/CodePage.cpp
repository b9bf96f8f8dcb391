// Code page conversions through MultiByteToWideChar and WideCharToMultiByte.
#include "platform/Native.h"
#include "platform/win/WideText.h"

#include <windows.h>

namespace platform {

std::wstring win::ToWide(std::string_view bytes, unsigned codePage) {
    if (bytes.empty()) return {};
    int length = static_cast<int>(bytes.size());
    int n = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
    if (n <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), length, wide.data(), n);
    return wide;
}

std::string win::FromWide(std::wstring_view wide, unsigned codePage) {
    if (wide.empty()) return {};
    // UTF-8 takes neither a default character nor the best-fit flag.
    bool utf8 = codePage == Utf8CodePage;
    DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* replacement = utf8 ? nullptr : "?";
    int length = static_cast<int>(wide.size());
    int n =
        WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, replacement, nullptr);
    if (n <= 0) return {};
    std::string bytes(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), length, bytes.data(), n, replacement,
                        nullptr);
    return bytes;
}

std::string native::CharToUtf8(const char* bytes, std::size_t length, unsigned codePage) {
    wchar_t wide[4];
    // MB_ERR_INVALID_CHARS: a byte or pair without a character fails instead of turning into
    // the code page's default character, so that the caller writes U+FFFD for it.
    int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes, static_cast<int>(length),
                                wide, 4);
    if (n <= 0) return {};
    // Windows fills the unassigned single bytes of its tables with C1 controls (0x81 of 1252,
    // 0x80 of 932) and private-use characters (0xA0 and 0xFD..0xFF of 932); they are no
    // characters of the code page, as on POSIX.
    if (length == 1 && static_cast<unsigned char>(bytes[0]) >= 0x80 && n == 1 &&
        ((wide[0] >= 0x80 && wide[0] <= 0x9F) || (wide[0] >= 0xF8F0 && wide[0] <= 0xF8FF)))
        return {};
    return win::FromWide(std::wstring_view(wide, static_cast<std::size_t>(n)), win::Utf8CodePage);
}

std::string native::Utf8ToCodePage(std::string_view utf8, unsigned codePage) {
    return win::FromWide(win::ToWide(utf8, win::Utf8CodePage), codePage);
}

} // namespace platform
