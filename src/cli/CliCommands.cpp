#include "cli/CliCommands.h"

#include "cli/CliTexts.h"
#include "framework/Errors.h"
#include "framework/Texts.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "vbsource/VbParsers.h"
#include "vbsource/VbSource.h"

#include <algorithm>
#include <cstdio>
#include <functional>
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

// A member whose file is missing or could not be read is only logged by the project read and the
// parse walk; say so on stderr as well, one line each, so a check that covered less than the
// project does not pass unnoticed.
void WarnMissingMembers(const TVbProjectSource& project) {
    for (const auto& failure : project.MemberFailures) {
        std::string text = "vrt: " + platform::TextToUtf8(failure.Line) + "\n";
        std::fputs(text.c_str(), stderr);
    }
    for (const TVtParts* child : project.Children) {
        if (!platform::FileExists(child->FileName)) {
            std::string text =
                "vrt: " +
                platform::TextToUtf8(FwTexts().NotFound + platform::MarkPath(child->FileName)) +
                "\n";
            std::fputs(text.c_str(), stderr);
        }
    }
}

// Reads, parses and checks one project, as the desktop's check run does.
void CheckProject(const std::string& path, TCliVetrins& rules, TStreamLog* log,
                  const std::function<void(TVbProjectSource&)>& after = {}) {
    TVbProjectSource project;
    project.SetLog(log);
    project.Load(path);
    project.Analyze();
    if (log) log->Finish(); // the last parse line before the warnings
    WarnMissingMembers(project);
    try {
        project.CheckTree(rules);
    } catch (...) {
        rules.CurrentPart = nullptr; // the tree goes with this function
        throw;
    }
    rules.CurrentPart = nullptr;
    if (after) after(project);
}

void ApplyRules(TCliVetrins& rules, const std::string& utf8File) {
    if (!utf8File.empty()) rules.ApplyRulesFile(platform::EnginePath(utf8File));
}

} // namespace

// ---- check ----

int RunCheck(const TCheckOptions& options) {
    TCliVetrins rules;
    ApplyRules(rules, options.RulesFile);
    std::vector<std::string> paths;
    for (const auto& p : options.Projects)
        paths.push_back(CheckedProjectPath(p));

    TOutput out(stdout);
    std::unique_ptr<TFindingWriter> writer =
        MakeWriter(options.Format, options.TextTarget, rules, out);
    rules.Capture(writer.get());
    std::unique_ptr<TStreamLog> log;
    if (options.Log) {
        log = std::make_unique<TStreamLog>(stderr);
        rules.SetLog(log.get());
    }
    writer->Begin();
    try {
        for (const auto& path : paths)
            CheckProject(path, rules, log.get());
    } catch (...) {
        // Keep what was found before the failure, and the output well formed.
        writer->End();
        out.Close();
        if (log) log->Finish();
        throw;
    }
    writer->End();
    if (log) log->Finish();
    if (!out.Close()) throw EGeneralError("cannot write the output");
    return rules.FindingCount() > 0 ? 1 : 0;
}

// ---- stats ----

namespace {

struct TStatsRow {
    std::string File; // code page 932
    TVbStaticticsInfo Counts;
};

// A bar of `width` characters filled in proportion value / denominator (truncated), like the
// statistics window's bars; nothing when the denominator is 0.
std::string Bar(std::int32_t value, std::int32_t denominator, int width) {
    int filled = 0;
    if (denominator > 0 && value > 0)
        filled = static_cast<int>(static_cast<double>(value) / denominator * width);
    filled = std::clamp(filled, 0, width);
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

void PrintTable(const std::vector<TStatsRow>& rows, TOutput& out) {
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
    TCliVetrins rules;
    ApplyRules(rules, options.RulesFile);
    // The counts are what this command is for: the statistics rule runs whatever the selection.
    if (TVetrin* statistics = rules.FindByClassName("TVbAnalyzeStatistics"))
        statistics->Enabled = true;
    std::vector<std::string> paths;
    for (const auto& p : options.Projects)
        paths.push_back(CheckedProjectPath(p));

    TOutput out(stdout);
    rules.Capture(nullptr);
    if (options.Tsv) out.Write("file\ttotal\tcode\tblank\tcomment\n");
    for (std::size_t k = 0; k < paths.size(); ++k) {
        std::vector<TStatsRow> rows;
        CheckProject(paths[k], rules, nullptr, [&](TVbProjectSource& project) {
            for (TVtParts* child : project.Children)
                rows.push_back({child->FileName, static_cast<TVbSource*>(child)->Statistics});
        });
        if (options.Tsv) {
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
            if (paths.size() > 1) out.Write((k > 0 ? "\n" : "") + options.Projects[k] + "\n");
            PrintTable(rows, out);
        }
    }
    if (!out.Close()) throw EGeneralError("cannot write the output");
    return 0;
}

// ---- rules ----

int RunRules(const std::string& writeFile) {
    TCliVetrins rules;
    if (!writeFile.empty()) {
        rules.SaveToFile(platform::EnginePath(writeFile));
        return 0;
    }
    std::size_t classWidth = 0;
    for (int i = 0; i < rules.Count(); ++i)
        classWidth = std::max(classWidth, rules.Items(i)->ClassName().size());
    std::string text;
    for (int i = 0; i < rules.Count(); ++i) {
        const TVetrin& rule = *rules.Items(i);
        std::string caption =
            std::to_string(rule.Category()) + " " + TCliTexts::CategoryCaption(rule.Category());
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

// The member kind of a source file, by its extension (ignoring letter case); none for others.
std::unique_ptr<TVbSource> MakeSource(const std::string& path) {
    std::string name = platform::FileNamePart(path);
    std::size_t dot = name.rfind('.');
    std::string ext = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    for (char& c : ext)
        c = static_cast<char>(platform::AsciiUpper(static_cast<unsigned char>(c)));
    if (ext == "BAS") return std::make_unique<TVbModuleSource>(nullptr);
    if (ext == "FRM") return std::make_unique<TVbFormSource>(nullptr);
    if (ext == "CLS") return std::make_unique<TVbClassSource>(nullptr);
    if (ext == "CTL") return std::make_unique<TVbUserControlSource>(nullptr);
    if (ext == "PAG") return std::make_unique<TVbPropertyPageSource>(nullptr);
    return nullptr;
}

// Runs the parser of the source's kind and answers what Execute answered.
bool ParseSource(TVbSource& source) {
    std::unique_ptr<TVbParser> parser;
    if (dynamic_cast<TVbModuleSource*>(&source))
        parser = std::make_unique<TVbModuleParser>(source);
    else if (dynamic_cast<TVbFormSource*>(&source))
        parser = std::make_unique<TVbFormParser>(source);
    else if (dynamic_cast<TVbClassSource*>(&source))
        parser = std::make_unique<TVbClassParser>(source);
    else if (dynamic_cast<TVbUserControlSource*>(&source))
        parser = std::make_unique<TVbUserControlParser>(source);
    else
        parser = std::make_unique<TVbPropertyPageParser>(source);
    return parser->Execute();
}

void AppendVariable(std::string& text, char tag, const TVbVariable& v) {
    text += tag;
    text += '\t' + std::to_string(v.Line()) + '\t';
    AppendEscapedUtf8(text, v.Name());
    text += '\t';
    AppendEscapedUtf8(text, v.Bounds);
    text += '\t';
    AppendEscapedUtf8(text, v.TypeName);
    text += '\n';
}

} // namespace

int RunDump(const std::string& sourceFile) {
    std::string path = platform::EnginePath(sourceFile);
    std::unique_ptr<TVbSource> source = MakeSource(path);
    if (!source)
        throw EGeneralError(platform::MarkPath(path) +
                            ": not a VB source file (.bas, .frm, .cls, .ctl or .pag)");
    std::string bytes;
    if (!platform::FileExists(path) || !platform::ReadFileBytes(path, bytes))
        throw EFOpenError(path);
    source->Load(path);
    bool answer = ParseSource(*source);

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
        AppendEscapedUtf8(text, t.Text());
        text += '\n';
        flush();
    }
    for (const auto& d : source->DroppedText) {
        text += "D\t" + std::to_string(d.Line) + '\t';
        AppendEscapedUtf8(text, d.Text);
        text += '\n';
        flush();
    }
    for (int i = 0; i < source->Variables.Count(); ++i)
        AppendVariable(text, 'V', *source->Variables.Get(i));
    for (int i = 0; i < source->Methods.Count(); ++i) {
        const TVbMethod& m = *source->Methods.Get(i);
        text += "M\t" + std::to_string(m.NameToken->Line) + '\t' +
                std::to_string(m.NameToken->Scope) + '\t';
        AppendEscapedUtf8(text, m.NameToken->Text());
        text += '\t' + std::to_string(m.Tokens.Count()) + '\n';
        for (int k = 0; k < m.Arguments.Count(); ++k)
            AppendVariable(text, 'A', *m.Arguments.Get(k));
        flush();
    }
    text += answer ? "R\ttrue\n" : "R\tfalse\n";
    out.Write(text);
    if (!out.Close()) throw EGeneralError("cannot write the output");
    return 0;
}
