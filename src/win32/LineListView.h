// A list of text lines in an owner-data list view: one column, no header, its cost the rows on
// screen whatever the number of lines. The log window shows one, the result window another.
#pragma once

#include "win32/WindowLines.h"

#include <windows.h>

#include <string>

namespace win32 {

class TLineListView {
public:
    // Creates the list view as a child of parent with the given control identifier.
    void Create(HWND parent, int id, bool multipleSelection);
    HWND Handle() const { return Handle_; }
    TWindowLines& Lines() { return Lines_; }
    // The code page the engine wrote the lines in.
    void SetCodePage(unsigned codePage) { CodePage_ = codePage; }

    // WM_LINES_CHANGED: the list's rows follow the lines; the last row is brought into view.
    void LinesChanged();
    // WM_NOTIFY from the list view; true when taken.
    bool Notify(NMHDR* header, LRESULT& result);
    void Resize(int width, int height);

    // The row with the focus (the current row); -1 when none.
    int CurrentRow() const;
    // The text of the selected rows, one line each ending with CR LF, in row order.
    std::wstring SelectedText() const;
    void SelectAll();
    // Puts the text on the clipboard.
    static void CopyToClipboard(HWND owner, const std::wstring& text);
    std::wstring RowText(int row) const;

private:
    HWND Handle_ = nullptr;
    TWindowLines Lines_;
    unsigned CodePage_ = 932;
    int Shown_ = 0;
    std::wstring Buffer_;
};

} // namespace win32
