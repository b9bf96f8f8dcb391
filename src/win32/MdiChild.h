// The base of the frame's child windows: one window class each, the object found from the
// window's handle, and a close request that minimises the window instead of destroying it (the
// windows live until the program ends).
#pragma once

#include <windows.h>

#include <vector>

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
    // The window moved to a monitor of another DPI: the controls placed with PlaceControl go to
    // their places at the new DPI, every control takes the font of that DPI, and the window keeps
    // its size in 96-DPI terms.
    virtual void OnDpiChanged(UINT oldDpi, UINT newDpi);
    // Creates a control at a place written at 96 DPI, scaled to the window's DPI now and after
    // every change of it. parent: the window itself when none is given.
    HWND PlaceControl(const wchar_t* className, const wchar_t* caption, DWORD style, DWORD exStyle,
                      int id, RECT place96, HWND parent = nullptr);
    virtual void OnSize(int width, int height) {
        (void)width;
        (void)height;
    }

private:
    struct TPlacedControl {
        HWND Control;
        RECT Place96;
    };
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND Handle_ = nullptr;
    UINT Dpi_ = USER_DEFAULT_SCREEN_DPI;
    std::vector<TPlacedControl> Placed_;
};

} // namespace win32
