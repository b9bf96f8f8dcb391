#include "win32/Dpi.h"

#include <map>

namespace win32 {

UINT WindowDpi(HWND window) {
    UINT dpi = window ? GetDpiForWindow(window) : 0;
    return dpi ? dpi : USER_DEFAULT_SCREEN_DPI;
}

int Scaled(int length, UINT dpi) {
    return MulDiv(length, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
}

HFONT UiFont(UINT dpi) {
    // Fonts are made on the window thread only; one per DPI in use (usually one or two).
    static std::map<UINT, HFONT> fonts;
    auto found = fonts.find(dpi);
    if (found != fonts.end()) return found->second;
    LOGFONTW face{};
    face.lfHeight = -MulDiv(9, static_cast<int>(dpi), 72);
    face.lfWeight = FW_NORMAL;
    face.lfCharSet = SHIFTJIS_CHARSET;
    face.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(face.lfFaceName, L"MS UI Gothic", LF_FACESIZE);
    HFONT font = CreateFontIndirectW(&face);
    fonts.emplace(dpi, font);
    return font;
}

void ApplyUiFont(HWND window) {
    HFONT font = UiFont(WindowDpi(window));
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    EnumChildWindows(
        window,
        [](HWND child, LPARAM font) -> BOOL {
            SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(font));
}

} // namespace win32
