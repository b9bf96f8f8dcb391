#include "win32/LogWindow.h"

#include "presenters/UiTexts.h"
#include "win32/ControlIds.h"
#include "win32/Utf16.h"

#include <commctrl.h>

namespace win32 {

void TLogWindow::Create(HWND mdiClient) {
    RegisterClass(win32ids::LogClass, GetModuleHandleW(nullptr));
    CreateChild(mdiClient, win32ids::LogClass, Wide(uitext::LogCaption).c_str(), WS_EX_TOOLWINDOW,
                520, 0, 450, 312);
}

void TLogWindow::OnCreate() {
    Log_.Create(Handle(), win32ids::Log, [this](int row) { return Lines_.Utf8(row); });
    // The log's own colour: a pale yellow-green.
    ListView_SetBkColor(Log_.Handle(), RGB(237, 243, 194));
    ListView_SetTextBkColor(Log_.Handle(), RGB(237, 243, 194));
}

bool TLogWindow::HandleMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    if (message == WM_NOTIFY) return Log_.Notify(reinterpret_cast<NMHDR*>(lParam), result);
    return false;
}

} // namespace win32
