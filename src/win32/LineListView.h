// A list of text lines in an owner-data list view: one column, no header, its cost the rows on
// screen whatever the number of lines. The log window shows one, the result window another; the
// lines themselves stay in the presenters' stores and are asked for as rows are painted.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace win32 {

class TLineListView {
public:
    // The text of a row (UTF-8), asked for as the row is painted or copied.
    using TRowText = std::function<std::string(int row)>;

    // Creates the list view as a child of parent with the given control identifier.
    void Create(HWND parent, int id, TRowText rowText);
    HWND Handle() const { return Handle_; }

    // The rows follow the store's count; new rows are appended without repainting the others, the
    // last row is brought into view, and fewer rows (the store was emptied) start the list anew.
    void SetRowCount(int count);
    int RowCount() const { return Shown_; }
    // WM_NOTIFY from the list view: its rows' texts. True when taken.
    bool Notify(NMHDR* header, LRESULT& result);
    void Resize(int width, int height);

    // The row with the focus (the current row); -1 when none.
    int CurrentRow() const;
    bool HasSelection() const;
    // The text of the selected rows, each ending with CR LF, in row order.
    std::wstring SelectedText() const;
    void SelectAll();
    // Puts the text on the clipboard.
    static void CopyToClipboard(HWND owner, const std::wstring& text);

private:
    HWND Handle_ = nullptr;
    TRowText RowText_;
    int Shown_ = 0;
    std::wstring Buffer_;
};

} // namespace win32
