// The base of the frame's child windows: one window class each, the object found from the
// window's handle, and a close request that minimises the window instead of destroying it (the
// windows live until the program ends).
#pragma once

#include <windows.h>

namespace win32 {

class TMdiChild {
public:
    TMdiChild() = default;
    TMdiChild(const TMdiChild&) = delete;
    TMdiChild& operator=(const TMdiChild&) = delete;
    virtual ~TMdiChild() = default;

    HWND Handle() const { return Handle_; }
    // Brings a minimised window back to its normal size (a run that fills it shows it again).
    void ShowNormalIfMinimised() const;

    // Registers the window class of a kind of child window (once per class).
    static void RegisterClass(const wchar_t* className, HINSTANCE instance);

protected:
    // Creates the window as a child of the frame's MDI client at a place and size written at
    // 96 DPI (scaled to the client's DPI), and calls OnCreate.
    void CreateChild(HWND mdiClient, const wchar_t* className, const wchar_t* caption,
                     DWORD extraExStyle, int left, int top, int width, int height);
    // The window's own messages; false: the default handling.
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
    virtual void OnCreate() {}
    virtual void OnSize(int width, int height) {
        (void)width;
        (void)height;
    }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND Handle_ = nullptr;
};

} // namespace win32
