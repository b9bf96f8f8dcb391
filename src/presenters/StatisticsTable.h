// The statistics table: one row per member source with its total, code, blank and comment lines,
// the maxima the bars are measured against, the totals, the sort order, each cell's bar (its
// share of the cell and its colour) and the path shown in the first column. The statistics
// window of either face draws it; `vrt stats` and the HTML report take their bars from it.
#pragma once

#include "checkers/CheckSession.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The columns: the file, then the four counts.
enum TStatisticsColumn : int { colFile = 0, colTotal, colCode, colBlank, colComment };
constexpr int StatisticsColumnCount = 5;

// The colour of a count column's bar, and its red, green and blue.
enum class TBarColour { Total, Code, Blank, Comment };
struct TRgb {
    std::uint8_t Red, Green, Blue;
};
TBarColour BarColourOf(int column); // column 1..4
TRgb BarRgb(TBarColour colour);

// The share of a cell a bar fills: value / denominator, from 0 to 1. No bar (0) when the
// denominator is 0 or less, and never more than the whole cell.
double BarFraction(std::int64_t value, std::int64_t denominator);
// A bar's width in a cell of cellWidth: the fraction of the width, truncated toward zero.
int BarWidth(double fraction, int cellWidth);

class TStatisticsTable {
public:
    // Replaces every row with the counts of a project (in project order), keeping the sort
    // order; projectFile is the project's path as entered (relative paths are shown against
    // its folder).
    void Fill(std::vector<TStatisticsRow> rows, const std::string& projectFile);
    // Whether a project has been shown (before that the table has headers only).
    bool Filled() const { return Filled_; }

    int RowCount() const { return static_cast<int>(Order_.size()); }
    // Row r in the order shown (sorted, or the project's order).
    const TStatisticsRow& Row(int r) const;
    // A count of row r (column 1..4) and its text.
    std::int32_t Count(int r, int column) const;
    std::string CountText(int r, int column) const { return std::to_string(Count(r, column)); }
    // The bar of a count cell: total and code lines against the largest file, blank and comment
    // lines as shares of the row's total.
    double Bar(int r, int column) const;
    std::int32_t MaxTotalLines() const { return MaxTotalLines_; }
    std::int32_t MaxCodeLines() const { return MaxCodeLines_; }

    // The sums of the four counts over every row (column 1..4), and the totals row's bars: blank
    // and comment lines as shares of all lines, none for the sums of total and code lines.
    std::int64_t Total(int column) const;
    double TotalBar(int column) const;

    // Sorts by a column (the file name, letter case ignored, or a count), ascending; sorting again
    // by the same column reverses the order. Rows that compare equal keep the project's order.
    void SortBy(int column);
    int SortColumn() const { return SortColumn_; } // -1: the project's order
    bool SortDescending() const { return SortDescending_; }

    // The display flags of the window's menu.
    bool ShowFullPath = false;
    bool ShowGraphOnly = true;

    // The text of the first column for row r (UTF-8): the file name; with ShowFullPath the full
    // path, or the path relative to the project's folder when fits(full path) says it is too
    // wide for the cell.
    std::string ShownPath(int r, const std::function<bool(const std::string&)>& fits) const;
    // The full path of row r (UTF-8), for a tooltip.
    std::string FullPath(int r) const;

    static std::string_view Header(int column);

private:
    void Sort();

    std::vector<TStatisticsRow> Rows_; // project order
    std::vector<std::size_t> Order_;
    std::string ProjectFolder_; // engine path, absolute
    std::int32_t MaxTotalLines_ = 0;
    std::int32_t MaxCodeLines_ = 0;
    bool Filled_ = false;
    int SortColumn_ = -1;
    bool SortDescending_ = false;
};
