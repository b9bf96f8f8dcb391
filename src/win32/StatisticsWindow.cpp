#include "win32/StatisticsWindow.h"

#include "presenters/UiTexts.h"
#include "win32/ControlIds.h"
#include "win32/Dpi.h"
#include "win32/Utf16.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

namespace win32 {

namespace {

// The initial column widths at 96 DPI, and the rows' height.
constexpr int ColumnWidths[StatisticsColumnCount] = {128, 115, 108, 108, 105};
constexpr int RowHeight = 26;

} // namespace

void TStatisticsWindow::Create(HWND mdiClient) {
    RegisterClass(win32ids::StatisticsClass, GetModuleHandleW(nullptr));
    CreateChild(mdiClient, win32ids::StatisticsClass, Wide(uitext::Statistics).c_str(), 0, 520, 315,
                450, 345);
}

void TStatisticsWindow::OnCreate() {
    Grid_ = CreateWindowExW(
        0, WC_LISTVIEWW, nullptr,
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL |
            LVS_SHOWSELALWAYS,
        0, 0, 0, 0, Handle(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(win32ids::CommentStatisticsGrid)),
        GetModuleHandleW(nullptr), nullptr);
    ListView_SetExtendedListViewStyle(Grid_, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES |
                                                 LVS_EX_DOUBLEBUFFER | LVS_EX_HEADERDRAGDROP);
    UINT dpi = WindowDpi(Handle());
    for (int column = 0; column < StatisticsColumnCount; ++column) {
        std::wstring header = Wide(TStatisticsTable::Header(column));
        LVCOLUMNW item{};
        item.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        item.fmt = column == 0 ? LVCFMT_LEFT : LVCFMT_RIGHT;
        item.cx = Scaled(ColumnWidths[column], dpi);
        item.pszText = header.data();
        ListView_InsertColumn(Grid_, column, &item);
    }
    SetRowHeight(dpi);
    Refresh();
}

void TStatisticsWindow::SetRowHeight(UINT dpi) {
    // A list view's rows are as high as its small images: an empty image list sets the height.
    HIMAGELIST rowHeight = ImageList_Create(1, Scaled(RowHeight, dpi), ILC_COLOR, 0, 0);
    if (HIMAGELIST old = ListView_SetImageList(Grid_, rowHeight, LVSIL_SMALL))
        ImageList_Destroy(old);
}

void TStatisticsWindow::OnDpiChanged(UINT oldDpi, UINT newDpi) {
    TMdiChild::OnDpiChanged(oldDpi, newDpi);
    SetRowHeight(newDpi);
    for (int column = 0; column < StatisticsColumnCount; ++column)
        ListView_SetColumnWidth(Grid_, column,
                                MulDiv(ListView_GetColumnWidth(Grid_, column), newDpi, oldDpi));
}

void TStatisticsWindow::OnSize(int width, int height) {
    MoveWindow(Grid_, 0, 0, width, height, TRUE);
}

void TStatisticsWindow::Refresh() {
    int rows = Table_.Filled() ? Table_.RowCount() + 1 : 0;
    ListView_SetItemCountEx(Grid_, rows, 0);
    InvalidateRect(Grid_, nullptr, TRUE);
}

std::string TStatisticsWindow::CellText(int row, int column) const {
    if (IsTotalsRow(row))
        return column == colFile ? std::string(uitext::Text(uitext::Total))
                                 : std::to_string(Table_.Total(column));
    if (column != colFile) return Table_.CountText(row, column);
    // The path as wide as the column allows.
    HDC dc = GetDC(Grid_);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(Grid_, WM_GETFONT, 0, 0)));
    int width = ListView_GetColumnWidth(Grid_, colFile) - 8;
    std::string text = Table_.ShownPath(row, [&](const std::string& path) {
        std::wstring wide = Wide(path);
        SIZE size{};
        GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
        return size.cx <= width;
    });
    SelectObject(dc, old);
    ReleaseDC(Grid_, dc);
    return text;
}

void TStatisticsWindow::DrawCountCell(HDC dc, int row, int column, RECT cell) {
    FillRect(dc, &cell, GetSysColorBrush(COLOR_WINDOW));
    double fraction = IsTotalsRow(row) ? Table_.TotalBar(column) : Table_.Bar(row, column);
    int width = BarWidth(fraction, cell.right - cell.left);
    if (width > 0) {
        TRgb rgb = BarRgb(BarColourOf(column));
        RECT bar = cell;
        bar.right = cell.left + width;
        // Bars only: the whole height; with the numbers: the lower half, the number above it.
        if (!Table_.ShowGraphOnly) bar.top = (cell.top + cell.bottom) / 2;
        HBRUSH brush = CreateSolidBrush(RGB(rgb.Red, rgb.Green, rgb.Blue));
        FillRect(dc, &bar, brush);
        DeleteObject(brush);
    }
    if (!Table_.ShowGraphOnly || IsTotalsRow(row)) {
        std::wstring text = Wide(CellText(row, column));
        RECT area = cell;
        area.left += 2;
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
                  DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    }
}

LRESULT TStatisticsWindow::CustomDraw(NMLVCUSTOMDRAW* draw) {
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        int column = draw->iSubItem;
        if (column == colFile) return CDRF_DODEFAULT;
        int row = static_cast<int>(draw->nmcd.dwItemSpec);
        RECT cell{};
        ListView_GetSubItemRect(Grid_, row, column, LVIR_BOUNDS, &cell);
        DrawCountCell(draw->nmcd.hdc, row, column, cell);
        return CDRF_SKIPDEFAULT;
    }
    default:
        return CDRF_DODEFAULT;
    }
}

void TStatisticsWindow::ShowContextMenu(int x, int y) {
    if (x == -1 && y == -1) {
        POINT at{0, 0};
        ClientToScreen(Grid_, &at);
        x = at.x;
        y = at.y;
    }
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING | (Table_.ShowFullPath ? MF_CHECKED : 0), win32ids::ShowFullPath,
                Wide(uitext::ShowFullPath).c_str());
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING | (Table_.ShowGraphOnly ? MF_CHECKED : 0), win32ids::ShowGraphOnly,
                Wide(uitext::ShowGraphOnly).c_str());
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, x, y, 0, Handle(), nullptr);
    DestroyMenu(menu);
}

bool TStatisticsWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == win32ids::ShowFullPath)
            Table_.ShowFullPath = !Table_.ShowFullPath;
        else if (LOWORD(wParam) == win32ids::ShowGraphOnly)
            Table_.ShowGraphOnly = !Table_.ShowGraphOnly;
        else
            return false;
        InvalidateRect(Grid_, nullptr, TRUE);
        return true;
    case WM_CONTEXTMENU:
        ShowContextMenu(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return true;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom != Grid_) return false;
        switch (header->code) {
        case LVN_GETDISPINFOW: {
            auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
            if ((info->item.mask & LVIF_TEXT) && info->item.cchTextMax > 0) {
                Buffer_ = Wide(CellText(info->item.iItem, info->item.iSubItem));
                std::size_t length =
                    std::min(Buffer_.size(), static_cast<std::size_t>(info->item.cchTextMax - 1));
                std::copy_n(Buffer_.data(), length, info->item.pszText);
                info->item.pszText[length] = L'\0';
            }
            result = 0;
            return true;
        }
        case NM_CUSTOMDRAW:
            result = CustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(header));
            return true;
        case LVN_COLUMNCLICK:
            Table_.SortBy(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
            Refresh();
            return true;
        default:
            return false;
        }
    }
    default:
        return false;
    }
}

} // namespace win32
