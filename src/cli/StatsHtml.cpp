#include "cli/StatsHtml.h"

#include "cli/CliTexts.h"
#include "cli/formats/Escaping.h"
#include "framework/Language.h"
#include "platform/CodePage.h"
#include "presenters/StatisticsTable.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

// The statistics window's bar colours: total, code, blank, comment.
constexpr std::array<const char*, 4> BarColors{"#0000ff", "#ffff00", "#808080", "#008000"};

// HTML text and attribute values: the XML escapes serve both.
std::string Escaped(std::string_view text) { return Xml(text, true); }

// The bar's share of its cell in percent, as the statistics table has it.
std::string Percent(std::int32_t value, std::int32_t denominator) {
    const double share = BarFraction(value, denominator) * 100.0;
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", share);
    return text;
}

std::string CountCell(std::int64_t value, std::int32_t barValue, std::int32_t denominator,
                      int column) {
    std::string v = std::to_string(value);
    return "<td class=\"n\" data-v=\"" + v + "\"><span>" + v +
           "</span><div class=\"bar\" style=\"width:" + Percent(barValue, denominator) +
           "%;background:" + BarColors[static_cast<std::size_t>(column)] + "\"></div></td>";
}

const char* const Style = R"(<style>
body{font-family:sans-serif;margin:1em;color:#000;background:#fff}
table{border-collapse:collapse;margin-bottom:2em}
th,td{border:1px solid #c0c0c0;padding:2px 6px}
th{background:#f0f0f0;cursor:pointer;white-space:nowrap}
td.n{position:relative;width:9em;height:1.8em;vertical-align:top;padding:0}
td.n span{position:relative;z-index:1;padding:0 4px}
td.n .bar{position:absolute;left:0;bottom:0;height:50%}
tfoot td{font-weight:bold;background:#f8f8f8}
</style>
)";

// Sorting: a click on a heading orders the body rows by that column (numbers by value, names
// by text); a second click reverses. The totals row stays at the foot.
const char* const Script = R"(<script>
document.querySelectorAll("table.stats").forEach(function (table) {
  table.querySelectorAll("thead th").forEach(function (th, column) {
    th.addEventListener("click", function () {
      var body = table.tBodies[0], rows = Array.prototype.slice.call(body.rows);
      var down = th.getAttribute("data-order") !== "asc";
      table.querySelectorAll("thead th").forEach(function (h) { h.removeAttribute("data-order"); });
      th.setAttribute("data-order", down ? "asc" : "desc");
      rows.sort(function (a, b) {
        var x = a.cells[column], y = b.cells[column], r;
        if (x.hasAttribute("data-v")) r = Number(x.getAttribute("data-v")) - Number(y.getAttribute("data-v"));
        else r = x.textContent.localeCompare(y.textContent);
        return down ? r : -r;
      });
      rows.forEach(function (row) { body.appendChild(row); });
    });
  });
});
</script>
)";

} // namespace

std::string StatsHtml(const std::vector<TStatsTable>& tables) {
    std::string html = "<!DOCTYPE html>\n<html lang=\"" +
                       std::string(platform::LanguageCode(CurrentLanguage())) +
                       "\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<title>Vetrin</title>\n";
    html += Style;
    html += "</head>\n<body>\n";
    const std::array<const char*, 5> headers{
        CliText(TCliText::FileColumn), CliText(TCliText::TotalColumn),
        CliText(TCliText::CodeColumn), CliText(TCliText::BlankColumn),
        CliText(TCliText::CommentColumn)};
    for (const TStatsTable& table : tables) {
        if (tables.size() > 1) html += "<h2>" + Escaped(table.Title) + "</h2>\n";
        std::int32_t maxTotal = 0, maxCode = 0;
        for (const auto& r : table.Rows) {
            maxTotal = std::max(maxTotal, r.Counts.TotalLines);
            maxCode = std::max(maxCode, r.Counts.CodeLines);
        }
        html += "<table class=\"stats\">\n<thead><tr>";
        for (const char* h : headers)
            html += std::string("<th>") + h + "</th>";
        html += "</tr></thead>\n<tbody>\n";
        std::int64_t sums[4] = {0, 0, 0, 0};
        for (const auto& r : table.Rows) {
            const TVbStaticticsInfo& c = r.Counts;
            std::string path = platform::PathToUtf8(r.File);
            html += "<tr><td title=\"" + Escaped(path) + "\">" +
                    Escaped(platform::PathToUtf8(platform::FileNamePart(r.File))) + "</td>";
            html += CountCell(c.TotalLines, c.TotalLines, maxTotal, 0);
            html += CountCell(c.CodeLines, c.CodeLines, maxCode, 1);
            html += CountCell(c.BlankLines, c.BlankLines, c.TotalLines, 2);
            html += CountCell(c.CommentLines, c.CommentLines, c.TotalLines, 3);
            html += "</tr>\n";
            sums[0] += c.TotalLines;
            sums[1] += c.CodeLines;
            sums[2] += c.BlankLines;
            sums[3] += c.CommentLines;
        }
        // The totals: blank and comment lines as shares of all lines; no bar for the sums of
        // total and code lines, which have nothing to be measured against.
        auto share = [&](std::int64_t part) {
            return sums[0] > 0 ? static_cast<std::int32_t>(part * 10000 / sums[0]) : 0;
        };
        html += "</tbody>\n<tfoot><tr><td>" + std::string(CliText(TCliText::TotalsRow)) + "</td>";
        html += CountCell(sums[0], 0, 0, 0) + CountCell(sums[1], 0, 0, 1);
        html += CountCell(sums[2], share(sums[2]), 10000, 2);
        html += CountCell(sums[3], share(sums[3]), 10000, 3);
        html += "</tr></tfoot>\n</table>\n";
    }
    html += Script;
    html += "</body>\n</html>\n";
    return html;
}
