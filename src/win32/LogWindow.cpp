#include "win32/LogWindow.h"

#include "win32/ControlIds.h"

#include <commctrl.h>

namespace win32 {

void TLogWindow::Create(HWND mdiClient) {
    RegisterClass(win32ids::LogClass, GetModuleHandleW(nullptr));
    CreateChild(mdiClient, win32ids::LogClass, L"ログ");
}

void TLogWindow::OnCreate() {
    Log_.Create(Handle(), win32ids::Log, true);
    // The log's own colour: a pale yellow-green.
    ListView_SetBkColor(Log_.Handle(), RGB(237, 243, 194));
    ListView_SetTextBkColor(Log_.Handle(), RGB(237, 243, 194));
}

bool TLogWindow::HandleMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_LINES_CHANGED:
        Log_.LinesChanged();
        return true;
    case WM_NOTIFY:
        return Log_.Notify(reinterpret_cast<NMHDR*>(lParam), result);
    default:
        return false;
    }
}

} // namespace win32
