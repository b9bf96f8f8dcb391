#include "presenters/StatisticsTable.h"

#include "platform/CodePage.h"
#include "platform/Files.h"
#include "presenters/UiTexts.h"

#include <algorithm>
#include <cmath>

namespace {

std::int32_t CountOf(const TVbStaticticsInfo& counts, int column) {
    switch (column) {
    case colTotal:
        return counts.TotalLines;
    case colCode:
        return counts.CodeLines;
    case colBlank:
        return counts.BlankLines;
    case colComment:
        return counts.CommentLines;
    }
    return 0;
}

// Compares two UTF-8 names with ASCII letters folded.
int CompareFolded(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = platform::AsciiUpper(static_cast<unsigned char>(a[i]));
        const unsigned char y = platform::AsciiUpper(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace

TBarColour BarColourOf(int column) {
    switch (column) {
    case colCode:
        return TBarColour::Code;
    case colBlank:
        return TBarColour::Blank;
    case colComment:
        return TBarColour::Comment;
    }
    return TBarColour::Total;
}

TRgb BarRgb(TBarColour colour) {
    switch (colour) {
    case TBarColour::Total:
        return {0, 0, 255};
    case TBarColour::Code:
        return {255, 255, 0};
    case TBarColour::Blank:
        return {128, 128, 128};
    case TBarColour::Comment:
        return {0, 128, 0};
    }
    return {0, 0, 0};
}

double BarFraction(std::int64_t value, std::int64_t denominator) {
    if (denominator <= 0 || value <= 0) return 0.0;
    return std::min(1.0, static_cast<double>(value) / static_cast<double>(denominator));
}

int BarWidth(double fraction, int cellWidth) {
    return static_cast<int>(std::trunc(fraction * static_cast<double>(cellWidth)));
}

void TStatisticsTable::Fill(std::vector<TStatisticsRow> rows, const std::string& projectFile) {
    Rows_ = std::move(rows);
    Filled_ = true;
    MaxTotalLines_ = 0;
    MaxCodeLines_ = 0;
    for (const TStatisticsRow& row : Rows_) {
        MaxTotalLines_ = std::max(MaxTotalLines_, row.Counts.TotalLines);
        MaxCodeLines_ = std::max(MaxCodeLines_, row.Counts.CodeLines);
    }
    ProjectFolder_ = projectFile.empty()
                         ? std::string()
                         : platform::FolderPart(platform::AbsolutePath(projectFile));
    Sort();
}

const TStatisticsRow& TStatisticsTable::Row(int r) const {
    return Rows_[Order_.at(static_cast<std::size_t>(r))];
}

std::int32_t TStatisticsTable::Count(int r, int column) const {
    return CountOf(Row(r).Counts, column);
}

double TStatisticsTable::Bar(int r, int column) const {
    const TVbStaticticsInfo& counts = Row(r).Counts;
    switch (column) {
    case colTotal:
        return BarFraction(counts.TotalLines, MaxTotalLines_);
    case colCode:
        return BarFraction(counts.CodeLines, MaxCodeLines_);
    case colBlank:
    case colComment:
        return BarFraction(CountOf(counts, column), counts.TotalLines);
    }
    return 0.0;
}

std::int64_t TStatisticsTable::Total(int column) const {
    std::int64_t sum = 0;
    for (const TStatisticsRow& row : Rows_)
        sum += CountOf(row.Counts, column);
    return sum;
}

double TStatisticsTable::TotalBar(int column) const {
    if (column != colBlank && column != colComment) return 0.0;
    return BarFraction(Total(column), Total(colTotal));
}

void TStatisticsTable::SortBy(int column) {
    if (column < 0 || column >= StatisticsColumnCount) return;
    SortDescending_ = column == SortColumn_ && !SortDescending_;
    SortColumn_ = column;
    Sort();
}

void TStatisticsTable::Sort() {
    Order_.resize(Rows_.size());
    for (std::size_t i = 0; i < Order_.size(); ++i)
        Order_[i] = i;
    if (SortColumn_ < 0) return;
    auto less = [this](std::size_t a, std::size_t b) {
        const TStatisticsRow& x = Rows_[a];
        const TStatisticsRow& y = Rows_[b];
        if (SortColumn_ == colFile) {
            const int byName = CompareFolded(platform::PathToUtf8(platform::FileNamePart(x.File)),
                                             platform::PathToUtf8(platform::FileNamePart(y.File)));
            return byName != 0 ? byName < 0
                               : platform::PathToUtf8(x.File) < platform::PathToUtf8(y.File);
        }
        return CountOf(x.Counts, SortColumn_) < CountOf(y.Counts, SortColumn_);
    };
    std::stable_sort(Order_.begin(), Order_.end(), [&](std::size_t a, std::size_t b) {
        return SortDescending_ ? less(b, a) : less(a, b);
    });
}

std::string TStatisticsTable::ShownPath(int r,
                                        const std::function<bool(const std::string&)>& fits) const {
    const std::string& path = Row(r).File;
    if (!ShowFullPath) return platform::PathToUtf8(platform::FileNamePart(path));
    const std::string full = FullPath(r);
    if (ProjectFolder_.empty() || !fits || fits(full)) return full;
    return platform::PathToUtf8(platform::RelativePath(ProjectFolder_, path));
}

std::string TStatisticsTable::FullPath(int r) const { return platform::PathToUtf8(Row(r).File); }

std::string_view TStatisticsTable::Header(int column) {
    return uitext::Text(uitext::StatisticsHeaders.at(static_cast<std::size_t>(column)));
}
