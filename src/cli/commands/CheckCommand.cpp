#include "cli/commands/CheckCommand.h"

#include "cli/Baseline.h"
#include "cli/CliTexts.h"
#include "cli/Output.h"
#include "cli/ProjectRun.h"
#include "cli/commands/CommonOptions.h"
#include "cli/formats/Formats.h"
#include "framework/Errors.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

// The formats, one line each, for the command's help.
std::string FormatsHelp() {
    std::size_t width = 0;
    for (const TFindingFormat& format : FindingFormats())
        width = std::max(width, std::string_view(format.Name).size() + 1);
    std::string text = std::string(CliText(TCliText::FormatsHeading)) + "\n";
    for (const TFindingFormat& format : FindingFormats()) {
        std::string name = format.Name;
        text += "  " + name + std::string(width - name.size(), ' ') + CliText(format.Description) +
                "\n";
    }
    return text;
}

std::string Counted(std::int64_t n, TCliText one, TCliText many) {
    return CliText(n == 1 ? one : many, {{"n", std::to_string(n)}});
}

// The line after a text check: what was found, where, how much was checked and how long it took,
// and what could not be checked.
void PrintSummary(const TFindingBatch& findings, std::int64_t checked, const TBaseline* baseline,
                  std::int64_t known, std::int64_t unchecked, std::uint32_t started) {
    const TCliText file = TCliText::FilesOne, files = TCliText::FilesMany;
    std::string text =
        "vrt: " + CliText(TCliText::Summary,
                          {{"findings", Counted(findings.Count(), TCliText::FindingsOne,
                                                TCliText::FindingsMany)},
                           {"files", Counted(findings.FilesWithFindings(), file, files)},
                           {"checked", Counted(checked, file, files)},
                           {"time", platform::FormatElapsed(started, platform::TickCount())}});
    if (baseline) text += CliText(TCliText::SummaryBaseline, {{"n", std::to_string(known)}});
    if (unchecked > 0)
        text += Counted(unchecked, TCliText::SummaryUncheckedOne, TCliText::SummaryUncheckedMany);
    text += "\n";
    std::fputs(text.c_str(), stderr);
}

} // namespace

CLI::App* TCheckCommand::Add(CLI::App& app) {
    CLI::App* command = app.add_subcommand("check", CliText(TCliText::CheckCommand));
    command->footer(FormatsHelp() + CliText(TCliText::CheckDescription));
    AddRulesOption(*command, RulesFile_);
    std::vector<std::string> names;
    std::string list;
    for (const TFindingFormat& format : FindingFormats()) {
        names.emplace_back(format.Name);
        list += (list.empty() ? "" : ", ") + names.back();
    }
    command->add_option("--format", Format_, CliText(TCliText::FormatOption, {{"list", list}}))
        ->check(CLI::IsMember(names))
        ->type_name("NAME");
    command->add_option("--encoding", Encoding_, CliText(TCliText::EncodingOption))
        ->check(CLI::IsMember({"utf-8", "cp932", "native"}))
        ->type_name("NAME");
    command->add_option("--output,-o", OutputFile_, CliText(TCliText::OutputOption))
        ->type_name("FILE");
    AddCodePageOption(*command, CodePage_);
    command->add_flag("--log", Log_, CliText(TCliText::LogOption));
    command->add_option("--baseline", BaselineFile_, CliText(TCliText::BaselineOption))
        ->type_name("FILE");
    command
        ->add_option("--write-baseline", WriteBaselineFile_, CliText(TCliText::WriteBaselineOption))
        ->type_name("FILE");
    command->add_flag("--no-ignore", NoIgnore_, CliText(TCliText::NoIgnoreOption));
    command->add_flag("--quiet", Quiet_, CliText(TCliText::QuietOption));
    command->add_flag("--exit-zero", ExitZero_, CliText(TCliText::ExitZeroOption));
    command->add_flag("--allow-missing", AllowMissing_, CliText(TCliText::AllowMissingOption));
    AddJobsOption(*command, Jobs_);
    AddProjectsOption(*command, Projects_);
    return command;
}

int TCheckCommand::Run() {
    const std::uint32_t started = platform::TickCount();
    const bool text = Format_ == "text";
    // The text format in a code page (932, or the source's with --encoding native) is written as
    // those bytes (and shown as such on a Windows console); everything else is UTF-8.
    const platform::TCodePage* textTarget = Encoding_ == "cp932" ? &platform::SystemCodePage()
                                            : Encoding_ == "native"
                                                ? platform::FindCodePage(CodePage_)
                                                : nullptr;
    if (textTarget && !text)
        throw EGeneralError(CliTextCp932(TCliText::EncodingTextOnly, {{"encoding", Encoding_}}));
    TRunSettings settings;
    settings.Suppressions = !NoIgnore_;
    settings.CodePage = CodePage_;
    settings.Jobs = Jobs_;
    // Nothing of a member is needed once it is checked: only the findings and counts are shown.
    settings.KeepParsed = false;
    TCheckSession session(settings);
    PrepareRules(session, RulesFile_);
    int missing = 0;
    std::vector<TProjectToCheck> projects = ProjectsToCheck(Projects_, session.CodePage(), missing);

    TOutput out = TOutput::To(
        OutputFile_.empty() ? std::string() : platform::EnginePath(OutputFile_),
        textTarget ? static_cast<unsigned>(textTarget->Number()) : platform::Utf8CodePage);
    std::unique_ptr<TFindingWriter> writer =
        FindFindingFormat(Format_)->Make({session.Rules(), out, session.CodePage(), textTarget});
    TFindingBatch findings(writer.get());
    session.SetFindings(&findings);

    // The baseline to compare with, and the one to record; both see every finding of the run.
    std::unique_ptr<TBaseline> baseline, recorded;
    if (!BaselineFile_.empty()) {
        baseline =
            std::make_unique<TBaseline>(platform::EnginePath(BaselineFile_), session.CodePage());
        baseline->Load();
        std::vector<std::string> paths;
        for (const auto& project : projects)
            paths.push_back(project.Path);
        baseline->SetRunProjects(paths);
    }
    if (!WriteBaselineFile_.empty())
        recorded = std::make_unique<TBaseline>(platform::EnginePath(WriteBaselineFile_),
                                               session.CodePage());
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
    // Projects of groups and members that are missing or could not be read or parsed.
    std::int64_t unchecked = missing;
    std::unique_ptr<TStreamLog> log;
    if (Log_) log = std::make_unique<TStreamLog>(stderr, session.CodePage());
    session.SetLog(log.get());
    writer->Begin();
    try {
        for (const auto& project : projects) {
            currentProject = project.Path;
            writer->BeginProject(project.Path);
            unchecked += CheckProject(project.Path, session, log.get());
            std::vector<std::string> files = {project.Path};
            for (const TVtParts* member : session.Project().Children)
                files.push_back(member->FileName);
            checked += static_cast<std::int64_t>(files.size());
            writer->EndProject(files);
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
    if (!out.Close()) {
        if (!OutputFile_.empty()) throw EFCreateError(platform::EnginePath(OutputFile_));
        throw EGeneralError(CliTextCp932(TCliText::CannotWriteOutput));
    }
    // A baseline of a run that did not see every file would take the findings of the files it
    // missed for fixed.
    bool baselineRefused = false;
    if (recorded && unchecked > 0) {
        baselineRefused = true;
        Warn(CliText(TCliText::BaselineNotWritten, {{"file", WriteBaselineFile_}}));
    } else if (recorded) {
        recorded->Save();
    }
    if (baseline && baseline->FixedCount() > 0) {
        std::int64_t fixed = baseline->FixedCount();
        std::string line =
            "vrt: " +
            CliText(fixed == 1 ? TCliText::BaselineFixedOne : TCliText::BaselineFixedMany,
                    {{"n", std::to_string(fixed)}}) +
            "\n";
        std::fputs(line.c_str(), stderr);
    }
    if (text && !Quiet_) PrintSummary(findings, checked, baseline.get(), known, unchecked, started);
    // A check that did not cover everything must not pass a gate, unless asked; a group's
    // missing project and a baseline not written fail the run in any case.
    if (missing > 0 || baselineRefused || (unchecked > 0 && !AllowMissing_)) return 2;
    return findings.Count() > 0 && !ExitZero_ ? 1 : 0;
}
