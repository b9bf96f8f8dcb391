// The statistics window: per member source, total, code, blank and comment lines with bars.
#pragma once

#include "presenters/StatisticsTable.h"

#include <QColor>
#include <QHeaderView>
#include <QRect>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QWidget>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QPainter;
class QTabWidget;

// ---- Cell geometry (plain functions, so that the drawing can be checked without a window) ----
// A cell rectangle R is taken as Left = x, Top = y, Right = x + width, Bottom = y + height.

// Which part of the cell a bar fills: the full height, or the lower half.
enum class TBarPart { Full = 1, LowerHalf = 2 };

// The rectangle a bar of value / denominator fills in cell: width value / denominator times the
// cell width, truncated toward zero. A null rectangle when the denominator is 0 (no bar).
QRect BarRect(const QRect& cell, std::int32_t denominator, std::int32_t value, TBarPart part);
// The rectangle a bar filling `fraction` (0..1) of the cell's width fills.
QRect BarRect(const QRect& cell, double fraction, TBarPart part);

enum class THorzAlign { Left, Right, Center };
enum class TVertAlign { Top, Center, Bottom };

// Where a text of textWidth x textHeight goes in cell: Origin is the text's top-left corner,
// Clip the rectangle the text is clipped to (and that is filled behind it).
struct TCellTextPlacement {
    QPoint Origin;
    QRect Clip;
};
TCellTextPlacement CellTextPlacement(const QRect& cell, int textWidth, int textHeight,
                                     THorzAlign horz, TVertAlign vert);

// The statistics window. Closing it minimises it, so references to it stay valid.
class TStatisticsWindow : public QWidget {
    Q_OBJECT
public:
    explicit TStatisticsWindow(QWidget* parent = nullptr);
    // Shows a statistics table (the project presenter's; not owned): its rows in its order and
    // its totals row; brings a minimised window back. The window's menu sets the table's flags.
    void ShowStatistics(TStatisticsTable& table);
    TStatisticsTable* Table() const { return Table_; }

    // Sorts the rows by a column (the file name, or a count), ascending; sorting again by the same
    // column reverses the order. A click on a column's header does this.
    void SortByColumn(int column);
    int SortColumn() const; // -1: the project's order
    bool SortDescending() const;

    // The text column 0 shows for a row (0..): the table's shown path, where the full path is
    // too wide when the grid's font draws it wider than the cell.
    QString ShownPath(int row, int cellWidth) const;

    // Draws one cell of the grid; row 0 is the header row, rows 1..n the member sources.
    void CommentStatisticsGridDrawCell(QPainter& painter, int column, int row, const QRect& rect);

    QSize sizeHint() const override { return QSize(589, 391); }

    QTabWidget* PageControl1 = nullptr;
    QTableWidget* CommentStatisticsGrid = nullptr;
    // The totals row under the grid: "合計" and the sums of the four counts, its columns as wide
    // as the grid's.
    QTableWidget* StatisticsTotals = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* ShowFullPath = nullptr;
    QAction* ShowGraphOnly = nullptr;
    QAction* HideGraph = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void FlagsChanged();
    void FillGrid();
    void FillTotals();
    void RepaintGrid();
    void DrawCellText(QPainter& painter, const QRect& rect, const QString& text, THorzAlign horz,
                      TVertAlign vert);

    TStatisticsTable* Table_ = nullptr;
};

// The grid's delegate: every data cell is drawn by the window.
class TStatisticsCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    TStatisticsCellDelegate(TStatisticsWindow* window, QObject* parent)
        : QStyledItemDelegate(parent), Window_(window) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    TStatisticsWindow* Window_;
};

// The grid's header row (row 0): drawn by the window too, columns resizable by the user.
class TStatisticsHeader : public QHeaderView {
    Q_OBJECT
public:
    TStatisticsHeader(TStatisticsWindow* window, QWidget* parent)
        : QHeaderView(Qt::Horizontal, parent), Window_(window) {}

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    TStatisticsWindow* Window_;
};
