#include "win32/Dpi.h"

#include <map>

namespace win32 {

namespace {

// The DPI functions of Windows 10, looked up once: the program also starts on older Windows.
template <typename F> F User32Function(const char* name) {
    return reinterpret_cast<F>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

UINT ScreenDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

} // namespace

UINT WindowDpi(HWND window) {
    static const auto forWindow = User32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    UINT dpi = window && forWindow ? forWindow(window) : 0;
    return dpi ? dpi : SystemDpi();
}

UINT SystemDpi() {
    static const auto forSystem = User32Function<UINT(WINAPI*)()>("GetDpiForSystem");
    return forSystem ? forSystem() : ScreenDpi();
}

void AdjustForDpi(RECT& rect, HWND window, UINT dpi) {
    static const auto adjust =
        User32Function<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
    auto exStyle = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
    if (adjust)
        adjust(&rect, style, FALSE, exStyle, dpi);
    else
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
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
