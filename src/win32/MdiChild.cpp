#include "win32/MdiChild.h"

#include "win32/Dpi.h"
#include "win32/ErrorBox.h"

namespace win32 {

void TMdiChild::RegisterClass(const wchar_t* className, HINSTANCE instance) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    if (GetClassInfoExW(instance, className, &type)) return;
    type.style = CS_HREDRAW | CS_VREDRAW;
    type.lpfnWndProc = WindowProc;
    type.hInstance = instance;
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    type.lpszClassName = className;
    type.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    RegisterClassExW(&type);
}

void TMdiChild::CreateChild(HWND mdiClient, const wchar_t* className, const wchar_t* caption,
                            DWORD extraExStyle, int left, int top, int width, int height) {
    UINT dpi = WindowDpi(mdiClient);
    // WS_EX_MDICHILD makes it a child of the MDI client; the object comes to WM_NCCREATE through
    // the MDI creation record.
    CreateWindowExW(WS_EX_MDICHILD | WS_EX_CONTROLPARENT | extraExStyle, className, caption,
                    WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                    Scaled(left, dpi), Scaled(top, dpi), Scaled(width, dpi), Scaled(height, dpi),
                    mdiClient, nullptr, GetModuleHandleW(nullptr), this);
}

HWND TMdiChild::PlaceControl(const wchar_t* className, const wchar_t* caption, DWORD style,
                             DWORD exStyle, int id, RECT place96, HWND parent) {
    UINT dpi = WindowDpi(Handle_);
    HWND control = CreateWindowExW(
        exStyle, className, caption, WS_CHILD | WS_VISIBLE | style, Scaled(place96.left, dpi),
        Scaled(place96.top, dpi), Scaled(place96.right - place96.left, dpi),
        Scaled(place96.bottom - place96.top, dpi), parent ? parent : Handle_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    Placed_.push_back({control, place96});
    return control;
}

void TMdiChild::OnDpiChanged(UINT oldDpi, UINT newDpi) {
    for (const TPlacedControl& placed : Placed_) {
        const RECT& r = placed.Place96;
        SetWindowPos(placed.Control, nullptr, Scaled(r.left, newDpi), Scaled(r.top, newDpi),
                     Scaled(r.right - r.left, newDpi), Scaled(r.bottom - r.top, newDpi),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ApplyUiFont(Handle_);
    RECT window{};
    GetWindowRect(Handle_, &window);
    SetWindowPos(Handle_, nullptr, 0, 0, MulDiv(window.right - window.left, newDpi, oldDpi),
                 MulDiv(window.bottom - window.top, newDpi, oldDpi),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMdiChild::ShowNormalIfMinimised() const {
    if (Handle_ && IsIconic(Handle_)) ShowWindow(Handle_, SW_RESTORE);
}

LRESULT CALLBACK TMdiChild::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TMdiChild*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* mdiCreate = static_cast<MDICREATESTRUCTW*>(create->lpCreateParams);
        self = reinterpret_cast<TMdiChild*>(mdiCreate->lParam);
        self->Handle_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) return DefMDIChildProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_CREATE:
        self->Dpi_ = WindowDpi(window);
        self->OnCreate();
        ApplyUiFont(window);
        break;
    case WM_SIZE:
        self->OnSize(LOWORD(lParam), HIWORD(lParam));
        break; // DefMDIChildProc keeps the frame's menu and the maximised state right
    case WM_DPICHANGED_AFTERPARENT:
        if (UINT dpi = WindowDpi(window); dpi != self->Dpi_) {
            UINT old = self->Dpi_;
            self->Dpi_ = dpi;
            RunGuarded(window, [&] { self->OnDpiChanged(old, dpi); });
        }
        return 0;
    case WM_CLOSE:
        // Closing minimises: the window and what it shows stay until the program ends.
        ShowWindow(window, SW_MINIMIZE);
        return 0;
    case WM_NCDESTROY:
        self->Handle_ = nullptr;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return DefMDIChildProcW(window, message, wParam, lParam);
    default:
        break;
    }
    LRESULT result = 0;
    bool taken = false;
    RunGuarded(window, [&] { taken = self->HandleMessage(message, wParam, lParam, result); });
    if (taken) return result;
    return DefMDIChildProcW(window, message, wParam, lParam);
}

} // namespace win32
