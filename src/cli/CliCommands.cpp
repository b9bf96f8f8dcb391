#include "cli/CliCommands.h"

#include "checkers/RuleTable.h"
#include "cli/Baseline.h"
#include "cli/CliTexts.h"
#include "cli/ProjectGroup.h"
#include "cli/StatsHtml.h"
#include "framework/Errors.h"
#include "framework/Texts.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/Console.h"
#include "platform/Files.h"
#include "presenters/StatisticsTable.h"
#include "vbsource/VbParsers.h"
#include "vbsource/VbSource.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

// A project file must exist, be readable and be a VB project: the run would otherwise check
// nothing and look as if it had.
std::string CheckedProjectPath(const std::string& givenPath) {
    std::string path = platform::EnginePath(givenPath);
    std::string bytes;
    if (!platform::FileExists(path) || !platform::ReadFileBytes(path, bytes))
        throw EFOpenError(path);
    TVbProjectSource project;
    project.Load(path);
    project.CheckIsProject();
    return path;
}

struct TProjectToCheck {
    std::string Path;  // engine form
    std::string Shown; // UTF-8, as given or as the group resolves it
};

// The projects named on the command line, each project group replaced by its projects in the
// group's order. A project of a group that is missing is reported and counted in `missing`; the
// others are checked.
std::vector<TProjectToCheck> ProjectsToCheck(const std::vector<std::string>& args,
                                             const platform::TCodePage& source, int& missing) {
    std::vector<TProjectToCheck> projects;
    missing = 0;
    for (const auto& arg : args) {
        if (!IsProjectGroup(arg)) {
            projects.push_back({CheckedProjectPath(arg), arg});
            continue;
        }
        for (const TGroupProject& p : ReadProjectGroup(platform::EnginePath(arg), source)) {
            if (p.Exists) {
                // A project of a group is refused as one named on the command line is.
                projects.push_back({CheckedProjectPath(p.Path), platform::NativePath(p.Path)});
            } else {
                ++missing;
                std::string text =
                    "vrt: " + arg + ": " +
                    platform::TextToUtf8(FwTexts().NotFound + platform::MarkPath(p.Path), source) +
                    "\n";
                platform::WriteStandardStream(stderr, text);
            }
        }
    }
    if (projects.empty()) throw EGeneralError("no project to check");
    return projects;
}

// A member whose file is missing or could not be read is only logged by the project read and the
// parse walk; say so on stderr as well, one line each, so a check that covered less than the
// project does not pass unnoticed.
void WarnMissingMembers(const TVbProjectSource& project) {
    const platform::TCodePage& source = project.CodePage();
    for (const auto& failure : project.MemberFailures) {
        std::string text = "vrt: " + platform::TextToUtf8(failure.Line, source) + "\n";
        platform::WriteStandardStream(stderr, text);
    }
    for (const TVtParts* child : project.Children) {
        if (!platform::FileExists(child->FileName)) {
            std::string text =
                "vrt: " +
                platform::TextToUtf8(FwTexts().NotFound + platform::MarkPath(child->FileName),
                                     source) +
                "\n";
            platform::WriteStandardStream(stderr, text);
        }
    }
}

// Reads, parses and checks one project, as the desktop's check run does; the members that could
// not be read are told once the parse walk is over, before the check.
void CheckProject(const std::string& path, TCheckSession& session, TStreamLog* log) {
    session.SetReadDone([&session, log] {
        if (log) log->Finish(); // the last parse line before the warnings
        WarnMissingMembers(session.Project());
    });
    session.ReadAndCheck(path);
}

// The session of a command: every rule on, then the checker project file (if any).
void PrepareRules(TCheckSession& session, const std::string& utf8File) {
    EnableAllRules(session);
    if (!utf8File.empty()) ApplyRulesFile(session, platform::EnginePath(utf8File));
}

std::string Counted(std::int64_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

// The line after a text check: what was found, where, how much was checked and how long it took.
void PrintSummary(const TFindingBatch& findings, std::int64_t checked, const TBaseline* baseline,
                  std::int64_t known, std::uint32_t started) {
    std::string text = "vrt: " + Counted(findings.Count(), "finding", "findings") + " in " +
                       Counted(findings.FilesWithFindings(), "file", "files") + " (" +
                       Counted(checked, "file", "files") + " checked, " +
                       platform::FormatElapsed(started, platform::TickCount()) + ")";
    if (baseline) text += "; " + std::to_string(known) + " in the baseline";
    text += "\n";
    std::fputs(text.c_str(), stderr);
}

} // namespace

// ---- check ----

int RunCheck(const TCheckOptions& options) {
    const std::uint32_t started = platform::TickCount();
    TRunSettings settings;
    settings.Suppressions = !options.NoIgnore;
    settings.CodePage = options.CodePage;
    settings.Jobs = options.Jobs;
    // Nothing of a member is needed once it is checked: only the findings and counts are shown.
    settings.KeepParsed = false;
    TCheckSession session(settings);
    PrepareRules(session, options.RulesFile);
    int missing = 0;
    std::vector<TProjectToCheck> projects =
        ProjectsToCheck(options.Projects, session.CodePage(), missing);

    // The text format in a code page (932, or the source's with --encoding native) is written as
    // those bytes (and shown as such on a Windows console); everything else is UTF-8.
    TOutput out(stdout, options.TextTarget ? static_cast<unsigned>(options.TextTarget->Number())
                                           : platform::Utf8CodePage);
    std::unique_ptr<TFindingWriter> writer =
        MakeWriter(options.Format, options.TextTarget, session.CodePage(), session.Rules(), out);
    TFindingBatch findings(writer.get());
    session.SetFindings(&findings);

    // The baseline to compare with, and the one to record; both see every finding of the run.
    std::unique_ptr<TBaseline> baseline, recorded;
    if (!options.BaselineFile.empty()) {
        baseline = std::make_unique<TBaseline>(session.CodePage());
        baseline->LoadFromFile(platform::EnginePath(options.BaselineFile));
    }
    if (!options.WriteBaselineFile.empty())
        recorded = std::make_unique<TBaseline>(session.CodePage());
    std::string currentProject;
    std::int64_t known = 0;
    if (baseline || recorded) {
        findings.Keep = [&](const TFindingRecord& finding) {
            if (recorded) recorded->Add(currentProject, finding);
            if (baseline && baseline->Match(currentProject, finding)) {
                ++known;
                return false;
            }
            return true;
        };
    }
    std::int64_t checked = 0;
    std::unique_ptr<TStreamLog> log;
    if (options.Log) log = std::make_unique<TStreamLog>(stderr, session.CodePage());
    session.SetLog(log.get());
    writer->Begin();
    try {
        for (const auto& project : projects) {
            currentProject = project.Path;
            CheckProject(project.Path, session, log.get());
            checked += 1 + static_cast<std::int64_t>(session.Project().Children.size());
        }
    } catch (...) {
        // Keep what was found before the failure, and the output well formed.
        writer->Fail();
        out.Close();
        if (log) log->Finish();
        throw;
    }
    writer->End();
    if (log) log->Finish();
    if (!out.Close()) throw EGeneralError("cannot write the output");
    if (recorded) recorded->SaveToFile(platform::EnginePath(options.WriteBaselineFile));
    if (baseline && baseline->FixedCount() > 0) {
        std::int64_t fixed = baseline->FixedCount();
        std::string text =
            "vrt: " + std::to_string(fixed) +
            (fixed == 1 ? " baseline entry is fixed\n" : " baseline entries are fixed\n");
        std::fputs(text.c_str(), stderr);
    }
    if (options.Format == TFormat::Text && !options.Quiet)
        PrintSummary(findings, checked, baseline.get(), known, started);
    if (missing > 0) return 2; // the group could not be checked whole
    return findings.Count() > 0 && !options.ExitZero ? 1 : 0;
}

// ---- stats ----

namespace {

// A bar of `width` characters filled as the statistics table's bars are (value / denominator,
// truncated; nothing when the denominator is 0).
std::string Bar(std::int32_t value, std::int32_t denominator, int width) {
    const int filled = BarWidth(BarFraction(value, denominator), width);
    return std::string(static_cast<std::size_t>(filled), '#') +
           std::string(static_cast<std::size_t>(width - filled), ' ');
}

// Pads UTF-8 text to a display width; the width of a text is its length in code page 932 bytes
// (a double-byte character is two columns wide, a half-width one one column).
std::string PadRight(const std::string& utf8, std::size_t width) {
    std::size_t shown = platform::Utf8ToCp932(utf8).size();
    return utf8 + std::string(width > shown ? width - shown : 0, ' ');
}

std::string PadLeft(const std::string& text, std::size_t width) {
    return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

void PrintTable(const std::vector<TStatisticsRow>& rows, TOutput& out) {
    std::int32_t maxTotal = 0, maxCode = 0;
    std::size_t nameWidth = platform::Utf8ToCp932(TCliTexts::FileColumn).size();
    std::size_t numWidth = 1;
    for (const auto& r : rows) {
        maxTotal = std::max(maxTotal, r.Counts.TotalLines);
        maxCode = std::max(maxCode, r.Counts.CodeLines);
        nameWidth = std::max(
            nameWidth,
            platform::Utf8ToCp932(platform::PathToUtf8(platform::FileNamePart(r.File))).size());
        for (std::int32_t n :
             {r.Counts.TotalLines, r.Counts.CodeLines, r.Counts.BlankLines, r.Counts.CommentLines})
            numWidth = std::max(numWidth, std::to_string(n).size());
    }
    const int wide = 20, narrow = 10;
    auto column = [&](int bar) { return numWidth + 1 + static_cast<std::size_t>(bar); };
    std::string text = PadRight(TCliTexts::FileColumn, nameWidth) + "  " +
                       PadRight(TCliTexts::TotalColumn, column(wide)) + "  " +
                       PadRight(TCliTexts::CodeColumn, column(wide)) + "  " +
                       PadRight(TCliTexts::BlankColumn, column(narrow)) + "  " +
                       TCliTexts::CommentColumn + "\n";
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

int RunStats(const TStatsOptions& options) {
    TRunSettings settings;
    settings.CodePage = options.CodePage;
    settings.Jobs = options.Jobs;
    // Nothing of a member is needed once it is checked: only the findings and counts are shown.
    settings.KeepParsed = false;
    TCheckSession session(settings);
    PrepareRules(session, options.RulesFile);
    // The counts are what this command is for: the statistics rule runs whatever the selection.
    if (TVetrin* statistics = session.Rules().FindByClassName("TVbAnalyzeStatistics"))
        statistics->Enabled = true;
    int missing = 0;
    std::vector<TProjectToCheck> projects =
        ProjectsToCheck(options.Projects, session.CodePage(), missing);

    TOutput out(stdout);
    std::vector<TStatsTable> tables;
    const bool html = !options.HtmlFile.empty();
    if (options.Tsv) out.Write("file\ttotal\tcode\tblank\tcomment\n");
    for (std::size_t k = 0; k < projects.size(); ++k) {
        CheckProject(projects[k].Path, session, nullptr);
        std::vector<TStatisticsRow> rows = session.StatisticsRows();
        if (html) {
            tables.push_back({projects[k].Shown, std::move(rows)});
        } else if (options.Tsv) {
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
        std::string path = platform::EnginePath(options.HtmlFile);
        if (!platform::WriteFileBytes(path, StatsHtml(tables))) throw EFCreateError(path);
    }
    if (!out.Close()) throw EGeneralError("cannot write the output");
    return missing > 0 ? 2 : 0;
}

// ---- rules ----

int RunRules(const std::string& writeFile) {
    TCheckSession session;
    EnableAllRules(session);
    if (!writeFile.empty()) {
        session.SaveRules(platform::EnginePath(writeFile));
        return 0;
    }
    const TVetrins& rules = session.Rules();
    std::size_t classWidth = 0;
    for (int i = 0; i < rules.Count(); ++i)
        classWidth = std::max(classWidth, rules.Items(i)->ClassName().size());
    std::string text;
    for (int i = 0; i < rules.Count(); ++i) {
        const TVetrin& rule = *rules.Items(i);
        std::string caption =
            std::to_string(rule.Category()) + " " + CategoryCaption(rule.Category());
        text += PadRight(std::string(rule.ClassName()), classWidth) + "  " + PadRight(caption, 10) +
                "  " + PadRight(platform::Cp932ToUtf8(rule.GetCheckerName()), 40) + "  " +
                (rule.HasDetail() ? "settings" : "-") + "\n";
    }
    TOutput out(stdout);
    out.Write(text);
    if (!out.Close()) throw EGeneralError("cannot write the output");
    return 0;
}

// ---- dump ----

namespace {

// The member kind of a source file, by its extension (ignoring letter case).
TVbMemberKind KindByExtension(const std::string& path) {
    std::string name = platform::FileNamePart(path);
    std::size_t dot = name.rfind('.');
    std::string ext = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    for (char& c : ext)
        c = static_cast<char>(platform::AsciiUpper(static_cast<unsigned char>(c)));
    if (ext == "BAS") return TVbMemberKind::Module;
    if (ext == "FRM") return TVbMemberKind::Form;
    if (ext == "CLS") return TVbMemberKind::Class;
    if (ext == "CTL") return TVbMemberKind::UserControl;
    if (ext == "PAG") return TVbMemberKind::PropertyPage;
    return TVbMemberKind::None;
}

void AppendVariable(std::string& text, const platform::TCodePage& page, char tag,
                    const TVbVariable& v) {
    text += tag;
    text += '\t' + std::to_string(v.Line()) + '\t';
    AppendEscapedUtf8(text, page, v.Name());
    text += '\t';
    AppendEscapedUtf8(text, page, v.Bounds);
    text += '\t';
    AppendEscapedUtf8(text, page, v.TypeName);
    text += '\n';
}

} // namespace

int RunDump(const std::string& sourceFile, int codePage) {
    std::string path = platform::EnginePath(sourceFile);
    std::unique_ptr<TVbSource> source = NewMemberSource(KindByExtension(path), nullptr);
    if (!source)
        throw EGeneralError(platform::MarkPath(path) +
                            ": not a VB source file (.bas, .frm, .cls, .ctl or .pag)");
    std::string bytes;
    if (!platform::FileExists(path) || !platform::ReadFileBytes(path, bytes))
        throw EFOpenError(path);
    TRunSettings settings;
    settings.CodePage = codePage;
    TCheckSession session(settings);
    source->SetCodePage(session.CodePage());
    source->Load(path);
    bool answer = TVbParser(*source, session.WordLists()).Execute();

    TOutput out(stdout);
    std::string text;
    auto flush = [&] {
        if (text.size() >= (1 << 20)) {
            out.Write(text);
            text.clear();
        }
    };
    for (int i = 0; i < source->Tokens.Count(); ++i) {
        const TVbToken& t = *source->Tokens.Get(i);
        text += "T\t" + std::to_string(t.Line) + '\t' + std::to_string(t.Kind) + '\t' +
                std::to_string(t.Scope) + '\t';
        AppendEscapedUtf8(text, session.CodePage(), t.Text());
        text += '\n';
        flush();
    }
    for (const auto& d : source->DroppedText) {
        text += "D\t" + std::to_string(d.Line) + '\t';
        AppendEscapedUtf8(text, session.CodePage(), d.Text);
        text += '\n';
        flush();
    }
    for (int i = 0; i < source->Variables.Count(); ++i)
        AppendVariable(text, session.CodePage(), 'V', *source->Variables.Get(i));
    for (int i = 0; i < source->Methods.Count(); ++i) {
        const TVbMethod& m = *source->Methods.Get(i);
        text += "M\t" + std::to_string(m.NameToken->Line) + '\t' +
                std::to_string(m.NameToken->Scope) + '\t';
        AppendEscapedUtf8(text, session.CodePage(), m.NameToken->Text());
        text += '\t' + std::to_string(m.Tokens.Count()) + '\n';
        for (int k = 0; k < m.Arguments.Count(); ++k)
            AppendVariable(text, session.CodePage(), 'A', *m.Arguments.Get(k));
        flush();
    }
    text += answer ? "R\ttrue\n" : "R\tfalse\n";
    out.Write(text);
    if (!out.Close()) throw EGeneralError("cannot write the output");
    return 0;
}
