// The statistics table: maxima, bars, totals, sorting and the path shown.
#include "presenters/StatisticsTable.h"

#include <gtest/gtest.h>

namespace {
TStatisticsRow Row(const char* file, std::int32_t total, std::int32_t code, std::int32_t blank,
                   std::int32_t comment) {
    return {file, {total, code, blank, comment}};
}
std::vector<std::string> Files(const TStatisticsTable& table) {
    std::vector<std::string> files;
    for (int r = 0; r < table.RowCount(); ++r)
        files.push_back(table.Row(r).File);
    return files;
}
} // namespace

TEST(StatisticsTable, BarsCompareFilesAndShareWithinAFile) {
    TStatisticsTable table;
    EXPECT_FALSE(table.Filled());
    table.Fill({Row("/p/A.bas", 100, 0, 20, 10), Row("/p/B.bas", 50, 0, 0, 0),
                Row("/p/E.bas", 0, 0, 0, 0)},
               "/p/P.vbp");
    EXPECT_TRUE(table.Filled());
    EXPECT_EQ(table.MaxTotalLines(), 100);
    EXPECT_DOUBLE_EQ(table.Bar(0, colTotal), 1.0);
    EXPECT_DOUBLE_EQ(table.Bar(1, colTotal), 0.5);
    EXPECT_DOUBLE_EQ(table.Bar(0, colCode), 0.0); // every file has 0 code lines: no bar
    EXPECT_DOUBLE_EQ(table.Bar(0, colBlank), 0.2);
    EXPECT_DOUBLE_EQ(table.Bar(0, colComment), 0.1);
    EXPECT_DOUBLE_EQ(table.Bar(2, colBlank), 0.0); // 0 total lines: no bar
    EXPECT_EQ(BarWidth(BarFraction(10, 40), 115), 28);
    EXPECT_EQ(BarWidth(table.Bar(1, colTotal), 115), 57);
    EXPECT_EQ(BarColourOf(colComment), TBarColour::Comment);
    EXPECT_EQ(BarRgb(TBarColour::Code).Red, 255);
    // Counts that do not add up never draw past the cell, nor backwards.
    EXPECT_DOUBLE_EQ(BarFraction(30, 20), 1.0);
    EXPECT_DOUBLE_EQ(BarFraction(-5, 20), 0.0);
    EXPECT_DOUBLE_EQ(BarFraction(5, -20), 0.0);
}

TEST(StatisticsTable, TotalsAndSortingKeepTheProjectOrderForTies) {
    TStatisticsTable table;
    table.Fill({Row("/p/b.bas", 50, 30, 5, 15), Row("/p/C.frm", 200, 120, 40, 40),
                Row("/p/a.cls", 50, 10, 20, 20)},
               "/p/P.vbp");
    EXPECT_EQ(table.Total(colTotal), 300);
    EXPECT_EQ(table.Total(colComment), 75);
    EXPECT_DOUBLE_EQ(table.TotalBar(colComment), 0.25);
    EXPECT_DOUBLE_EQ(table.TotalBar(colTotal), 0.0);
    table.SortBy(colTotal);
    EXPECT_EQ(Files(table), (std::vector<std::string>{"/p/b.bas", "/p/a.cls", "/p/C.frm"}));
    table.SortBy(colTotal); // again: reversed
    EXPECT_EQ(Files(table), (std::vector<std::string>{"/p/C.frm", "/p/b.bas", "/p/a.cls"}));
    table.SortBy(colFile); // letter case ignored
    EXPECT_EQ(Files(table), (std::vector<std::string>{"/p/a.cls", "/p/b.bas", "/p/C.frm"}));
    EXPECT_EQ(table.CountText(0, colCode), "10");
    // A new project keeps the sort; nothing of the earlier one remains.
    table.Fill({Row("/q/z.bas", 1, 1, 0, 0), Row("/q/y.bas", 2, 2, 0, 0)}, "/q/Q.vbp");
    EXPECT_EQ(Files(table), (std::vector<std::string>{"/q/y.bas", "/q/z.bas"}));
    EXPECT_EQ(table.MaxTotalLines(), 2);
}

TEST(StatisticsTable, PathIsTheNameTheFullPathOrRelativeWhenTooWide) {
    TStatisticsTable table;
    table.Fill({Row("/p/forms/main/Main.frm", 1, 1, 0, 0), Row("/elsewhere/X.bas", 1, 1, 0, 0)},
               "/p/Project1.vbp");
    auto fitsUpTo = [](std::size_t width) {
        return [width](const std::string& text) { return text.size() <= width; };
    };
    EXPECT_EQ(table.ShownPath(0, fitsUpTo(1000)), "Main.frm");
    table.ShowFullPath = true;
    EXPECT_EQ(table.ShownPath(0, fitsUpTo(1000)), "/p/forms/main/Main.frm");
    EXPECT_EQ(table.ShownPath(0, fitsUpTo(5)), "forms/main/Main.frm");
    EXPECT_EQ(table.ShownPath(1, fitsUpTo(5)), "../elsewhere/X.bas");
}
