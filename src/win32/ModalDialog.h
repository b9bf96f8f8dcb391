// A modal dialog built at run time: an empty dialog template made in memory, with the controls
// created when it opens, at positions written at 96 DPI and scaled. The system's dialog manager
// gives it Tab, Enter (the default button, IDOK) and Esc (IDCANCEL).
#pragma once

#include <windows.h>

#include <string>

namespace win32 {

class TModalDialog {
public:
    TModalDialog() = default;
    TModalDialog(const TModalDialog&) = delete;
    TModalDialog& operator=(const TModalDialog&) = delete;
    virtual ~TModalDialog() = default;

    // Shows the dialog over owner (centred on it) with a client area of the given size at
    // 96 DPI; returns the result it was closed with (IDOK, IDCANCEL).
    INT_PTR ShowModal(HWND owner, const std::wstring& caption, int clientWidth, int clientHeight);

protected:
    HWND Handle() const { return Handle_; }
    // Creates the controls and fills them.
    virtual void OnInit() = 0;
    // A command; the default closes the dialog on IDCANCEL. True when taken.
    virtual bool OnCommand(int id, int code);
    // Closes the dialog with a result.
    void Close(INT_PTR result) { EndDialog(Handle_, result); }

    // A control in tab order of creation.
    HWND AddControl(const wchar_t* className, const std::wstring& caption, DWORD style, int id,
                    int left, int top, int width, int height, DWORD exStyle = 0);
    std::wstring ControlText(int id) const;
    void SetControlText(int id, const std::wstring& text);
    // A message box over the dialog.
    void ShowMessage(const std::wstring& caption, const std::wstring& text) const;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND Handle_ = nullptr;
    HWND Owner_ = nullptr;
    int ClientWidth_ = 0, ClientHeight_ = 0;
};

} // namespace win32
