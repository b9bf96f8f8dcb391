#include "win32/ModalDialog.h"

#include "win32/Dpi.h"
#include "win32/ErrorBox.h"

#include <vector>

namespace win32 {

INT_PTR TModalDialog::ShowModal(HWND owner, const std::wstring& caption, int clientWidth,
                                int clientHeight) {
    Owner_ = owner;
    ClientWidth_ = clientWidth;
    ClientHeight_ = clientHeight;
    // The template: the dialog's style, no controls, no menu, the default class, the caption.
    std::vector<WORD> memory(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3 + caption.size() + 1, 0);
    auto* dialog = reinterpret_cast<DLGTEMPLATE*>(memory.data());
    dialog->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK;
    dialog->dwExtendedStyle = WS_EX_DLGMODALFRAME;
    WORD* tail = memory.data() + sizeof(DLGTEMPLATE) / sizeof(WORD);
    tail += 2; // no menu, the dialog class
    std::copy(caption.begin(), caption.end(), reinterpret_cast<wchar_t*>(tail));
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog, owner, DialogProc,
                                   reinterpret_cast<LPARAM>(this));
}

bool TModalDialog::OnCommand(int id, int) {
    if (id != IDCANCEL) return false;
    Close(IDCANCEL);
    return true;
}

HWND TModalDialog::AddControl(const wchar_t* className, const std::wstring& caption, DWORD style,
                              int id, int left, int top, int width, int height, DWORD exStyle) {
    UINT dpi = WindowDpi(Handle_);
    HWND control = CreateWindowExW(
        exStyle, className, caption.c_str(), WS_CHILD | WS_VISIBLE | style, Scaled(left, dpi),
        Scaled(top, dpi), Scaled(width, dpi), Scaled(height, dpi), Handle_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(dpi)), FALSE);
    return control;
}

std::wstring TModalDialog::ControlText(int id) const {
    HWND control = GetDlgItem(Handle_, id);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

void TModalDialog::SetControlText(int id, const std::wstring& text) {
    SetDlgItemTextW(Handle_, id, text.c_str());
}

void TModalDialog::ShowMessage(const std::wstring& caption, const std::wstring& text) const {
    MessageBoxW(Handle_, text.c_str(), caption.c_str(), MB_OK | MB_ICONWARNING);
}

INT_PTR CALLBACK TModalDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TModalDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<TModalDialog*>(lParam);
        self->Handle_ = window;
        SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        // The client area at the window's DPI, centred over the owner.
        UINT dpi = WindowDpi(window);
        RECT frame{0, 0, Scaled(self->ClientWidth_, dpi), Scaled(self->ClientHeight_, dpi)};
        AdjustForDpi(frame, window, dpi);
        int width = frame.right - frame.left, height = frame.bottom - frame.top;
        RECT owner{};
        if (self->Owner_)
            GetWindowRect(self->Owner_, &owner);
        else
            SystemParametersInfoW(SPI_GETWORKAREA, 0, &owner, 0);
        SetWindowPos(window, nullptr, (owner.left + owner.right - width) / 2,
                     (owner.top + owner.bottom - height) / 2, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(dpi)), FALSE);
        self->OnInit();
        return TRUE;
    }
    if (!self) return FALSE;
    if (message == WM_COMMAND) {
        bool taken = true;
        RunGuarded(window, [&] { taken = self->OnCommand(LOWORD(wParam), HIWORD(wParam)); });
        return taken ? TRUE : FALSE;
    }
    return FALSE;
}

} // namespace win32
