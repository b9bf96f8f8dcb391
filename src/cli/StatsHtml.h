// The line statistics as one self-contained HTML page: per project a table like the statistics
// window's (file, total, code, blank and comment lines, each count with its bar: total and code
// against the largest file, blank and comment as shares of the file, in the window's colours)
// and a totals row. The page needs no other file and no script to be read; an inline script
// sorts a table by the column whose heading is clicked.
#pragma once

#include "checkers/CheckSession.h"

#include <string>
#include <vector>

struct TStatsTable {
    std::string Title; // UTF-8; shown above the table when there are several
    std::vector<TStatisticsRow> Rows;
};

// The page, UTF-8.
std::string StatsHtml(const std::vector<TStatsTable>& tables);
