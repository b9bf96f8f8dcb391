// Errors that reach a window procedure: shown in the application's error message box, and the
// program goes on (an exception never crosses the window system's frames).
#pragma once

#include <windows.h>

#include <exception>

namespace win32 {

void ShowErrorBox(HWND owner, const std::exception_ptr& error);

// Runs a handler; an error it raises is shown over owner. False when it failed.
template <typename F> bool RunGuarded(HWND owner, F&& handler) {
    try {
        handler();
        return true;
    } catch (...) {
        ShowErrorBox(owner, std::current_exception());
        return false;
    }
}

} // namespace win32
