// The statistics window "統計": the presenters' statistics table in an owner-data list view, one
// row per member and a totals row, each count drawn as a bar in its cell. A click on a column
// header sorts by it; the context menu switches フルパスで表示 and グラフだけ表示.
#pragma once

#include "presenters/StatisticsTable.h"
#include "win32/MdiChild.h"

#include <commctrl.h>

#include <string>

namespace win32 {

class TStatisticsWindow : public TMdiChild {
public:
    explicit TStatisticsWindow(TStatisticsTable& table) : Table_(table) {}
    void Create(HWND mdiClient);
    // The rows follow the table.
    void Refresh();
    HWND Grid() const { return Grid_; }

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnCreate() override;
    void OnSize(int width, int height) override;
    void OnDpiChanged(UINT oldDpi, UINT newDpi) override;

private:
    bool IsTotalsRow(int row) const { return row == Table_.RowCount(); }
    std::string CellText(int row, int column) const;
    void SetRowHeight(UINT dpi);
    LRESULT CustomDraw(NMLVCUSTOMDRAW* draw);
    void DrawCountCell(HDC dc, int row, int column, RECT cell);
    void ShowContextMenu(int x, int y);

    TStatisticsTable& Table_;
    HWND Grid_ = nullptr;
    std::wstring Buffer_;
};

} // namespace win32
