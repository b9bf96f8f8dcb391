#include "win32/ResultWindow.h"

#include "presenters/Prompts.h"
#include "presenters/UiTexts.h"
#include "win32/ControlIds.h"
#include "win32/Utf16.h"

#include <commctrl.h>
#include <windowsx.h>

namespace win32 {

void TResultWindow::Create(HWND mdiClient) {
    RegisterClass(win32ids::ResultClass, GetModuleHandleW(nullptr));
    CreateChild(mdiClient, win32ids::ResultClass, Wide(uitext::ResultCaption).c_str(), 0, 0, 315,
                520, 345);
}

void TResultWindow::OnCreate() {
    Result_.Create(Handle(), win32ids::Result, [this](int row) { return Results_.Utf8(row); });
}

void TResultWindow::LinesChanged() {
    int count = Results_.Count();
    Result_.SetRowCount(count);
    SetWindowTextW(Handle(), Wide(ResultWindowTitle(count, HasChecked && HasChecked())).c_str());
    // A run that finds something brings a closed (minimised) window back.
    if (count > 0) ShowNormalIfMinimised();
}

void TResultWindow::Edit1Click() {
    std::optional<TEditorJump> jump = EditorJumpForRow(Option_, Results_, Result_.CurrentRow());
    if (!jump) return;
    if (!jump->Error.empty())
        Prompts_.ShowError(jump->Error);
    else if (!Starter_.StartDetached(jump->Launch))
        Prompts_.ShowError(EditorNotStartedText(jump->Launch));
}

bool TResultWindow::PreTranslate(const MSG& message) {
    // F10 would open the frame's menu; on the list it is 編集.
    if (message.hwnd == Result_.Handle() && message.message == WM_SYSKEYDOWN &&
        message.wParam == VK_F10) {
        Edit1Click();
        return true;
    }
    return false;
}

void TResultWindow::ShowContextMenu(int x, int y) {
    if (x == -1 && y == -1) { // from the keyboard: at the current row
        RECT row{};
        ListView_GetItemRect(Result_.Handle(), std::max(0, Result_.CurrentRow()), &row,
                             LVIR_BOUNDS);
        POINT at{row.left, row.bottom};
        ClientToScreen(Result_.Handle(), &at);
        x = at.x;
        y = at.y;
    }
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, win32ids::Edit1, (Wide(uitext::Edit) + L"\tF10").c_str());
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING | (Result_.HasSelection() ? 0 : MF_GRAYED), win32ids::Copy1,
                (Wide(uitext::Copy) + L"\tCtrl+C").c_str());
    AppendMenuW(menu, MF_STRING, win32ids::SelectAll1,
                (Wide(uitext::SelectAll) + L"\tCtrl+A").c_str());
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, x, y, 0, Handle(), nullptr);
    DestroyMenu(menu);
}

bool TResultWindow::Command(int id) {
    switch (id) {
    case win32ids::Edit1:
        Edit1Click();
        return true;
    case win32ids::Copy1:
        if (Result_.HasSelection())
            TLineListView::CopyToClipboard(Handle(), Result_.SelectedText());
        return true;
    case win32ids::SelectAll1:
        Result_.SelectAll();
        return true;
    default:
        return false;
    }
}

bool TResultWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_SETFOCUS:
        SetFocus(Result_.Handle());
        return true;
    case WM_COMMAND:
        return Command(LOWORD(wParam));
    case WM_CONTEXTMENU:
        ShowContextMenu(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return true;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (Result_.Notify(header, result)) return true;
        if (header->hwndFrom != Result_.Handle()) return false;
        if (header->code == NM_DBLCLK || header->code == NM_RETURN) {
            Edit1Click();
            return true;
        }
        if (header->code == LVN_KEYDOWN) {
            auto* key = reinterpret_cast<NMLVKEYDOWN*>(header);
            bool control = GetKeyState(VK_CONTROL) < 0;
            if (control && key->wVKey == 'C') Command(win32ids::Copy1);
            if (control && key->wVKey == 'A') Command(win32ids::SelectAll1);
        }
        return false;
    }
    default:
        return false;
    }
}

} // namespace win32
