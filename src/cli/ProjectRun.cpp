#include "cli/ProjectRun.h"

#include "cli/CliTexts.h"
#include "cli/ProjectGroup.h"
#include "cli/ProjectSearch.h"
#include "cli/formats/Escaping.h"
#include "framework/Errors.h"
#include "framework/TextCatalog.h"
#include "platform/CodePage.h"
#include "platform/Console.h"
#include "platform/Files.h"

// One line on stderr: "vrt: " and the UTF-8 text, its control characters escaped.
void Warn(const std::string& utf8) {
    platform::WriteStandardStream(stderr, "vrt: " + LineSafe(utf8) + "\n");
}

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

} // namespace

// The projects named on the command line, each project group replaced by its projects in the
// group's order. A project of a group that is missing is reported and counted in `missing`; the
// others are checked.
std::vector<TProjectToCheck> ProjectsToCheck(const std::vector<std::string>& args,
                                             const platform::TCodePage& source, int& missing) {
    std::vector<TProjectToCheck> projects;
    missing = 0;
    // No project named: every project under the current folder.
    const std::vector<std::string> current = {"."};
    for (const auto& arg : args.empty() ? current : args) {
        const std::string path = platform::EnginePath(arg);
        if (platform::FileKindOf(path) == platform::TFileKind::Folder) {
            std::vector<TFoundProject> found = ProjectsUnder(path, arg);
            // A folder without projects would make a run that checked nothing look clean.
            if (found.empty())
                throw EGeneralError(CliTextCp932(TCliText::NoProjectInFolder,
                                                 {{"folder", platform::MarkPath(path)}}));
            for (const TFoundProject& project : found)
                projects.push_back({CheckedProjectPath(project.Path), project.Shown});
            continue;
        }
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
                Warn(arg + ": " +
                     platform::TextToUtf8(
                         Say(TText::LogNotFound, {{"file", platform::MarkPath(p.Path)}}), source));
            }
        }
    }
    if (projects.empty()) throw EGeneralError(CliTextCp932(TCliText::NoProject));
    return projects;
}

namespace {

// A member whose file is missing or could not be read or parsed is only logged by the project
// read and the parse walk; say so on stderr as well, one line each, so a check that covered less
// than the project does not pass unnoticed. Answers how many there were.
std::int64_t WarnMissingMembers(const TVbProjectSource& project) {
    std::int64_t count = 0;
    const platform::TCodePage& source = project.CodePage();
    for (const auto& failure : project.MemberFailures) {
        Warn(platform::TextToUtf8(failure.Line, source));
        ++count;
    }
    for (const TVtParts* child : project.Children) {
        // What stands there but is no file was told above.
        if (platform::FileKindOf(child->FileName) == platform::TFileKind::None) {
            ++count;
            Warn(platform::TextToUtf8(
                Say(TText::LogNotFound, {{"file", platform::MarkPath(child->FileName)}}), source));
        }
    }
    return count;
}

} // namespace

// Reads, parses and checks one project, as the desktop's check run does; the members that could
// not be read are told once the parse walk is over, before the check. Answers how many members
// could not be checked.
std::int64_t CheckProject(const std::string& path, TCheckSession& session, TStreamLog* log) {
    std::int64_t failed = 0;
    session.SetReadDone([&session, &failed, log] {
        if (log) log->Finish(); // the last parse line before the warnings
        failed = WarnMissingMembers(session.Project());
    });
    session.ReadAndCheck(path);
    return failed;
}

// The session of a command: every rule on, then the checker project file (if any).
void PrepareRules(TCheckSession& session, const std::string& utf8File) {
    EnableDefaultRules(session);
    if (!utf8File.empty()) ApplyRulesFile(session, platform::EnginePath(utf8File));
}
