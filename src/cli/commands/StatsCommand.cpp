#include "cli/commands/StatsCommand.h"

#include "cli/CliTexts.h"
#include "cli/Columns.h"
#include "cli/Output.h"
#include "cli/ProjectRun.h"
#include "cli/StatsHtml.h"
#include "cli/commands/CommonOptions.h"
#include "framework/Errors.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "presenters/StatisticsTable.h"

#include <algorithm>

namespace {

// A bar of `width` characters filled as the statistics table's bars are (value / denominator,
// truncated; nothing when the denominator is 0).
std::string Bar(std::int32_t value, std::int32_t denominator, int width) {
    const int filled = BarWidth(BarFraction(value, denominator), width);
    return std::string(static_cast<std::size_t>(filled), '#') +
           std::string(static_cast<std::size_t>(width - filled), ' ');
}

void PrintTable(const std::vector<TStatisticsRow>& rows, TOutput& out) {
    std::int32_t maxTotal = 0, maxCode = 0;
    const char* fileColumn = CliText(TCliText::FileColumn);
    std::size_t nameWidth = DisplayWidth(fileColumn);
    std::size_t numWidth = 1;
    for (const auto& r : rows) {
        maxTotal = std::max(maxTotal, r.Counts.TotalLines);
        maxCode = std::max(maxCode, r.Counts.CodeLines);
        nameWidth =
            std::max(nameWidth, DisplayWidth(platform::PathToUtf8(platform::FileNamePart(r.File))));
        for (std::int32_t n :
             {r.Counts.TotalLines, r.Counts.CodeLines, r.Counts.BlankLines, r.Counts.CommentLines})
            numWidth = std::max(numWidth, std::to_string(n).size());
    }
    const int wide = 20, narrow = 10;
    auto column = [&](int bar) { return numWidth + 1 + static_cast<std::size_t>(bar); };
    std::string text = PadRight(fileColumn, nameWidth) + "  " +
                       PadRight(CliText(TCliText::TotalColumn), column(wide)) + "  " +
                       PadRight(CliText(TCliText::CodeColumn), column(wide)) + "  " +
                       PadRight(CliText(TCliText::BlankColumn), column(narrow)) + "  " +
                       CliText(TCliText::CommentColumn) + "\n";
    for (const auto& r : rows) {
        const TVbStaticticsInfo& c = r.Counts;
        auto cell = [&](std::int32_t value, std::int32_t denominator, int bar) {
            return PadLeft(std::to_string(value), numWidth) + " " + Bar(value, denominator, bar);
        };
        std::string line =
            PadRight(platform::PathToUtf8(platform::FileNamePart(r.File)), nameWidth) + "  " +
            cell(c.TotalLines, maxTotal, wide) + "  " + cell(c.CodeLines, maxCode, wide) + "  " +
            cell(c.BlankLines, c.TotalLines, narrow) + "  " +
            cell(c.CommentLines, c.TotalLines, narrow);
        line.erase(line.find_last_not_of(' ') + 1);
        text += line + "\n";
    }
    out.Write(text);
}

} // namespace

CLI::App* TStatsCommand::Add(CLI::App& app) {
    CLI::App* command = app.add_subcommand("stats", CliText(TCliText::StatsCommand));
    command->footer(CliText(TCliText::StatsDescription));
    AddRulesOption(*command, RulesFile_);
    command->add_flag("--tsv", Tsv_, CliText(TCliText::TsvOption));
    command->add_option("--html", HtmlFile_, CliText(TCliText::HtmlOption))
        ->type_name("FILE")
        ->excludes("--tsv");
    AddCodePageOption(*command, CodePage_);
    AddJobsOption(*command, Jobs_);
    AddProjectsOption(*command, Projects_);
    return command;
}

int TStatsCommand::Run() {
    TRunSettings settings;
    settings.CodePage = CodePage_;
    settings.Jobs = Jobs_;
    // Nothing of a member is needed once it is checked: only the findings and counts are shown.
    settings.KeepParsed = false;
    TCheckSession session(settings);
    PrepareRules(session, RulesFile_);
    // The counts are what this command is for: the statistics rule runs whatever the selection.
    if (TVetrin* statistics = session.Rules().FindByClassName("TVbAnalyzeStatistics"))
        statistics->Enabled = true;
    int missing = 0;
    std::vector<TProjectToCheck> projects = ProjectsToCheck(Projects_, session.CodePage(), missing);

    TOutput out(stdout);
    std::vector<TStatsTable> tables;
    const bool html = !HtmlFile_.empty();
    if (Tsv_) out.Write("file\ttotal\tcode\tblank\tcomment\n");
    for (std::size_t k = 0; k < projects.size(); ++k) {
        CheckProject(projects[k].Path, session, nullptr);
        std::vector<TStatisticsRow> rows = session.StatisticsRows();
        if (html) {
            tables.push_back({projects[k].Shown, std::move(rows)});
        } else if (Tsv_) {
            std::string text;
            for (const auto& r : rows) {
                text += platform::PathToUtf8(r.File);
                for (std::int32_t n : {r.Counts.TotalLines, r.Counts.CodeLines, r.Counts.BlankLines,
                                       r.Counts.CommentLines}) {
                    text += '\t';
                    text += std::to_string(n);
                }
                text += '\n';
            }
            out.Write(text);
        } else {
            // Several projects: one table each, under the project's path.
            if (projects.size() > 1) out.Write((k > 0 ? "\n" : "") + projects[k].Shown + "\n");
            PrintTable(rows, out);
        }
    }
    if (html) {
        std::string path = platform::EnginePath(HtmlFile_);
        if (!platform::WriteFileBytes(path, StatsHtml(tables))) throw EFCreateError(path);
    }
    if (!out.Close()) throw EGeneralError(CliTextCp932(TCliText::CannotWriteOutput));
    return missing > 0 ? 2 : 0;
}
