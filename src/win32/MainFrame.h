// The application's main frame: a multiple-document frame with the menu bar 設定, ウィンドウ and
// ヘルプ (the About box), the MDI client that holds the log, result, project and statistics
// windows, and the message loop that serves them (dialog keys in the project window, the result
// window's keys).
#pragma once

#include <windows.h>

#include <functional>

namespace win32 {

class TMainFrame {
public:
    TMainFrame() = default;
    TMainFrame(const TMainFrame&) = delete;
    TMainFrame& operator=(const TMainFrame&) = delete;

    // Creates the frame (caption "Vetrin for VB5と6") and its MDI client, not yet shown.
    void Create(HINSTANCE instance);
    HWND Handle() const { return Handle_; }
    HWND MdiClient() const { return MdiClient_; }

    // "オプション(&O)": the frame's option command.
    std::function<void()> OnOptions;
    // Asked before the frame closes; the children are destroyed first then (a frame with live
    // MDI children closes slowly under some window systems).
    std::function<void()> OnClosing;
    // A message the active child may take before it is dispatched (its keys); true: taken.
    std::function<bool(MSG&)> PreTranslate;

    // Runs the message loop until the frame is destroyed; answers the exit code.
    int Run();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    HMENU BuildMenu();

    HWND Handle_ = nullptr;
    HWND MdiClient_ = nullptr;
    HMENU WindowMenu_ = nullptr;
};

} // namespace win32
