#include "win32/MainFrame.h"

#include "presenters/UiTexts.h"
#include "version/VetrinVersion.h"
#include "win32/ControlIds.h"
#include "win32/Dpi.h"
#include "win32/ErrorBox.h"
#include "win32/Utf16.h"

#include <vector>

namespace win32 {

namespace {

std::vector<HWND> ChildWindows(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

} // namespace

void TMainFrame::Create(HINSTANCE instance) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = WindowProc;
    type.hInstance = instance;
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    type.lpszClassName = win32ids::FrameClass;
    type.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    type.hIconSm = type.hIcon;
    RegisterClassExW(&type);
    // Large enough for the windows' first places; the system places it.
    UINT dpi = SystemDpi();
    CreateWindowExW(0, win32ids::FrameClass, Wide(uitext::AppTitle).c_str(),
                    WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                    Scaled(1010, dpi), Scaled(735, dpi), nullptr, BuildMenu(), instance, this);
}

HMENU TMainFrame::BuildMenu() {
    HMENU settings = CreatePopupMenu();
    AppendMenuW(settings, MF_STRING, win32ids::MenuOptions, Wide(uitext::MenuOptions).c_str());
    WindowMenu_ = CreatePopupMenu();
    AppendMenuW(WindowMenu_, MF_STRING, win32ids::MenuCascade, Wide(uitext::MenuCascade).c_str());
    AppendMenuW(WindowMenu_, MF_STRING, win32ids::MenuTile, Wide(uitext::MenuTile).c_str());
    HMENU help = CreatePopupMenu();
    AppendMenuW(help, MF_STRING, win32ids::MenuAbout, Wide(uitext::MenuAbout).c_str());
    HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(settings),
                Wide(uitext::MenuSettings).c_str());
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(WindowMenu_),
                Wide(uitext::MenuWindow).c_str());
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), Wide(uitext::MenuHelp).c_str());
    return bar;
}

int TMainFrame::Run() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (TranslateMDISysAccel(MdiClient_, &message)) continue;
        if (PreTranslate && PreTranslate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

LRESULT CALLBACK TMainFrame::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TMainFrame*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<TMainFrame*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->Handle_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) return DefFrameProcW(window, nullptr, message, wParam, lParam);
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT TMainFrame::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        CLIENTCREATESTRUCT client{};
        client.hWindowMenu = WindowMenu_;
        client.idFirstChild = win32ids::FirstChildWindow;
        MdiClient_ =
            CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                            WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 0, 0,
                            0, 0, Handle_, nullptr, GetModuleHandleW(nullptr), &client);
        return 0;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case win32ids::MenuOptions:
            if (OnOptions) RunGuarded(Handle_, OnOptions);
            return 0;
        case win32ids::MenuCascade:
            SendMessageW(MdiClient_, WM_MDICASCADE, 0, 0);
            return 0;
        case win32ids::MenuTile:
            SendMessageW(MdiClient_, WM_MDITILE, MDITILE_VERTICAL, 0);
            return 0;
        case win32ids::MenuAbout:
            MessageBoxW(Handle_, Wide(uitext::AboutText(VETRIN_VERSION_TEXT)).c_str(),
                        Wide(uitext::AboutCaption).c_str(), MB_OK | MB_ICONINFORMATION);
            return 0;
        default:
            if (LOWORD(wParam) >= win32ids::FirstChildWindow) {
                // A window chosen in the ウィンドウ menu comes back also when it was minimised.
                LRESULT result = DefFrameProcW(Handle_, MdiClient_, message, wParam, lParam);
                auto active =
                    reinterpret_cast<HWND>(SendMessageW(MdiClient_, WM_MDIGETACTIVE, 0, 0));
                if (active && IsIconic(active))
                    SendMessageW(MdiClient_, WM_MDIRESTORE, reinterpret_cast<WPARAM>(active), 0);
                return result;
            }
            break;
        }
        break;
    case WM_DPICHANGED: {
        auto* suggested = reinterpret_cast<RECT*>(lParam);
        SetWindowPos(Handle_, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_CLOSE:
        if (OnClosing) OnClosing();
        // The children go first, then the frame.
        for (HWND child : ChildWindows(MdiClient_))
            SendMessageW(MdiClient_, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
        DestroyWindow(Handle_);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefFrameProcW(Handle_, MdiClient_, message, wParam, lParam);
}

} // namespace win32
