#include "win32/UiThread.h"

#include "win32/ErrorBox.h"

namespace win32 {

namespace {

constexpr wchar_t ClassName[] = L"VetrinUiThread";
constexpr UINT WM_RUN_POSTED = WM_APP + 2;

} // namespace

TWin32UiThread::TWin32UiThread() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    if (!GetClassInfoExW(instance, ClassName, &type)) {
        type.lpfnWndProc = WindowProc;
        type.hInstance = instance;
        type.lpszClassName = ClassName;
        RegisterClassExW(&type);
    }
    Window_ = CreateWindowExW(0, ClassName, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                              nullptr);
    SetWindowLongPtrW(Window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TWin32UiThread::~TWin32UiThread() {
    SetWindowLongPtrW(Window_, GWLP_USERDATA, 0);
    DestroyWindow(Window_);
}

void TWin32UiThread::Post(std::function<void()> task) {
    std::lock_guard guard(Lock_);
    Tasks_.push_back(std::move(task));
    if (Posted_) return;
    Posted_ = true;
    PostMessageW(Window_, WM_RUN_POSTED, 0, 0);
}

void TWin32UiThread::RunPosted() {
    std::deque<std::function<void()>> tasks;
    {
        std::lock_guard guard(Lock_);
        tasks.swap(Tasks_);
        Posted_ = false;
    }
    for (auto& task : tasks)
        task();
}

LRESULT CALLBACK TWin32UiThread::WindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == WM_RUN_POSTED) {
        if (auto* self =
                reinterpret_cast<TWin32UiThread*>(GetWindowLongPtrW(window, GWLP_USERDATA)))
            self->RunPosted();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace win32
