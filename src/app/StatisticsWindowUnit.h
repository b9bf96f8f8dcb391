// The statistics window: per member source, total, code, blank and comment lines with bars.
#pragma once

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
class TVbProjectSource;

// ---- Cell geometry (plain functions, so that the drawing can be checked without a window) ----
// A cell rectangle R is taken as Left = x, Top = y, Right = x + width, Bottom = y + height.

// Which part of the cell a bar fills: the full height, or the lower half.
enum class TBarPart { Full = 1, LowerHalf = 2 };

// The rectangle a bar of value / denominator fills in cell: width value / denominator times the
// cell width, truncated toward zero. A null rectangle when the denominator is 0 (no bar).
QRect BarRect(const QRect& cell, std::int32_t denominator, std::int32_t value, TBarPart part);

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
    // Fills the table from a parsed project (rows in the order of its member sources, or in the
    // order of the column sorted on) and the totals row; brings a minimised window back.
    void ShowStatistics(TVbProjectSource* project);

    // Sorts the rows by a column (the file name, or a count), ascending; sorting again by the same
    // column reverses the order. A click on a column's header does this.
    void SortByColumn(int column);
    int SortColumn() const { return SortColumn_; } // -1: the project's order
    bool SortDescending() const { return SortDescending_; }

    // The text column 0 shows for a path: the file name, or with ShowFullPath the full path, or
    // the path relative to the project's folder when the full path is wider than the cell.
    QString ShownPath(const std::string& path, int cellWidth) const;

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

    TVbProjectSource* Project = nullptr;
    std::int32_t MaxTotalLines = 0;
    std::int32_t MaxCodeLines = 0;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // One member source as counted.
    struct TRow {
        std::string Path; // engine form
        std::array<std::int32_t, 4> Counts{};
    };

    void FormCreate();
    void FillGrid();
    void FillTotals();
    void RepaintGrid();
    // The text of a cell of the data rows (row >= 1); column 0 as the engine path.
    std::string CellPath(int row) const;
    std::int32_t CellCount(int column, int row) const;
    void DrawBar(QPainter& painter, const QRect& rect, std::int32_t denominator, std::int32_t value,
                 const QColor& color, TBarPart part);
    void DrawCellText(QPainter& painter, const QRect& rect, const QString& text, THorzAlign horz,
                      TVertAlign vert);

    std::vector<TRow> Rows_; // in project order
    QString ProjectFolder_;  // UTF-8, absolute
    int SortColumn_ = -1;
    bool SortDescending_ = false;
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
