#include "cli/ProjectGroup.h"

#include "cli/CliTexts.h"
#include "framework/Errors.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

bool IsProjectGroup(std::string_view path) {
    std::string name = platform::FileNamePart(path);
    return name.size() > 4 &&
           platform::StartsWithAscii(std::string_view(name).substr(name.size() - 4), ".vbg");
}

std::vector<TGroupProject> ReadProjectGroup(const std::string& groupFile,
                                            const platform::TCodePage& source) {
    std::string bytes;
    if (!platform::FileExists(groupFile) || !platform::ReadFileBytes(groupFile, bytes))
        throw EFOpenError(groupFile);
    std::vector<TGroupProject> projects;
    bool first = true, isGroup = false;
    platform::ForEachLine(bytes, [&](std::string_view line) {
        line = platform::TrimBlanks(line);
        if (first) {
            first = false;
            isGroup = platform::StartsWithAscii(line, "VBGROUP");
            return;
        }
        std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) return;
        std::string_view key = platform::TrimBlanks(line.substr(0, eq));
        auto is = [&](std::string_view name) {
            return key.size() == name.size() && platform::StartsWithAscii(key, name);
        };
        if (!is("Project") && !is("StartupProject")) return;
        std::string_view written = platform::TrimBlanks(line.substr(eq + 1));
        if (written.empty()) return;
        TGroupProject p;
        p.Written = std::string(written);
        p.Path = platform::ResolveProjectPath(groupFile, written, source);
        p.Exists = platform::FileExists(p.Path);
        projects.push_back(std::move(p));
    });
    if (!isGroup)
        throw EGeneralError(
            CliTextCp932(TCliText::NotAGroup, {{"file", platform::MarkPath(groupFile)}}));
    return projects;
}
