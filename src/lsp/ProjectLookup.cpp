#include "lsp/ProjectLookup.h"

#include "platform/Files.h"
#include "vbsource/VbSource.h"

#include <algorithm>
#include <vector>

namespace {

bool IsProjectFileName(std::string_view name) {
    if (name.size() < 5) return false;
    std::string ext(name.substr(name.size() - 4));
    for (char& c : ext)
        c = static_cast<char>(platform::AsciiUpper(static_cast<unsigned char>(c)));
    return ext == ".VBP";
}

} // namespace

bool ProjectNamesMember(const std::string& project, const std::string& member,
                        const platform::TCodePage& source) {
    try {
        TVbProjectSource parsed;
        parsed.SetCodePage(source);
        parsed.Load(project);
        parsed.ReadsMembers = false;
        parsed.Parse();
        const std::vector<std::string>& files = parsed.MemberFiles;
        return std::find(files.begin(), files.end(), member) != files.end();
    } catch (...) {
        // A project that cannot be read names nothing.
        return false;
    }
}

std::string FindProjectOf(const std::string& member, const platform::TCodePage& source) {
    std::string folder = platform::FolderPart(member);
    for (;;) {
        std::vector<std::string> names;
        for (const platform::TFolderEntry& entry :
             platform::ListFolder(folder.empty() ? "/" : folder))
            if (entry.Kind == platform::TFileKind::File && IsProjectFileName(entry.Name))
                names.push_back(entry.Name);
        std::sort(names.begin(), names.end());
        for (const std::string& name : names) {
            const std::string project = folder + "/" + name;
            if (ProjectNamesMember(project, member, source)) return project;
        }
        const std::string above = platform::FolderPart(folder);
        if (above.empty() || above == folder) return std::string();
        folder = above;
    }
}
