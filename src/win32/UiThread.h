// The UI-thread port on the Windows API: a task posted from any thread runs on the window thread,
// in the order posted, through a message-only window that takes one posted message per batch.
#pragma once

#include "presenters/ProjectPresenter.h"

#include <windows.h>

#include <deque>
#include <functional>
#include <mutex>

namespace win32 {

class TWin32UiThread : public TUiThread {
public:
    TWin32UiThread();
    ~TWin32UiThread() override;
    TWin32UiThread(const TWin32UiThread&) = delete;
    TWin32UiThread& operator=(const TWin32UiThread&) = delete;

    void Post(std::function<void()> task) override;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void RunPosted();

    HWND Window_ = nullptr;
    std::mutex Lock_;
    std::deque<std::function<void()>> Tasks_;
    bool Posted_ = false;
};

} // namespace win32
