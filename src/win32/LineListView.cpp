#include "win32/LineListView.h"

#include "win32/Utf16.h"

#include <commctrl.h>

#include <algorithm>

namespace win32 {

void TLineListView::Create(HWND parent, int id, TRowText rowText) {
    RowText_ = std::move(rowText);
    Handle_ = CreateWindowExW(0, WC_LISTVIEWW, nullptr,
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA |
                                  LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS,
                              0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), nullptr);
    ListView_SetExtendedListViewStyle(Handle_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = 4000; // a line is not cut at the window's edge: the list scrolls sideways
    ListView_InsertColumn(Handle_, 0, &column);
}

void TLineListView::SetRowCount(int count) {
    if (count == Shown_) {
        // The same count: the last line may have been replaced (a log line's timing).
        if (count > 0) ListView_RedrawItems(Handle_, count - 1, count - 1);
        return;
    }
    bool fewer = count < Shown_;
    ListView_SetItemCountEx(Handle_, count, fewer ? 0 : LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    if (!fewer && Shown_ > 0) ListView_RedrawItems(Handle_, Shown_ - 1, Shown_ - 1);
    Shown_ = count;
    if (count > 0 && !fewer) ListView_EnsureVisible(Handle_, count - 1, FALSE);
}

bool TLineListView::Notify(NMHDR* header, LRESULT& result) {
    if (header->hwndFrom != Handle_ || header->code != LVN_GETDISPINFOW) return false;
    auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
    if ((info->item.mask & LVIF_TEXT) && info->item.cchTextMax > 0) {
        Buffer_ = Wide(RowText_(info->item.iItem));
        std::size_t length =
            std::min(Buffer_.size(), static_cast<std::size_t>(info->item.cchTextMax - 1));
        std::copy_n(Buffer_.data(), length, info->item.pszText);
        info->item.pszText[length] = L'\0';
    }
    result = 0;
    return true;
}

void TLineListView::Resize(int width, int height) {
    MoveWindow(Handle_, 0, 0, width, height, TRUE);
}

int TLineListView::CurrentRow() const { return ListView_GetNextItem(Handle_, -1, LVNI_FOCUSED); }

bool TLineListView::HasSelection() const { return ListView_GetSelectedCount(Handle_) > 0; }

std::wstring TLineListView::SelectedText() const {
    std::wstring text;
    for (int row = ListView_GetNextItem(Handle_, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(Handle_, row, LVNI_SELECTED))
        text += Wide(RowText_(row)) + L"\r\n";
    return text;
}

void TLineListView::SelectAll() {
    ListView_SetItemState(Handle_, -1, LVIS_SELECTED, LVIS_SELECTED);
}

void TLineListView::CopyToClipboard(HWND owner, const std::wstring& text) {
    if (!OpenClipboard(owner)) return;
    EmptyClipboard();
    std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
        GlobalUnlock(memory);
        if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
    }
    CloseClipboard();
}

} // namespace win32
