#include "cli/ProjectSearch.h"

#include "platform/CodePage.h"
#include "platform/Files.h"

#include <algorithm>
#include <optional>
#include <set>

namespace {

bool IsProjectFile(const std::string& name) {
    if (name.size() <= 4) return false;
    std::string ext = name.substr(name.size() - 4);
    for (char& c : ext)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return ext == ".vbp";
}

// The system's separator, so that a path shown reads as the user would write it.
std::string Joined(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder == ".") return name;
    const char separator = platform::IsPathSeparator('\\') ? '\\' : '/';
    if (platform::IsPathSeparator(folder.back())) return folder + name;
    return folder + separator + name;
}

void Walk(const std::string& folder, const std::string& shown, std::set<std::string>& seen,
          std::vector<TFoundProject>& found) {
    std::optional<std::string> identity = platform::FolderIdentity(folder);
    if (!identity || !seen.insert(*identity).second) return;
    std::vector<platform::TFolderEntry> entries = platform::ListFolder(folder);
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.Name < b.Name; });
    for (const auto& entry : entries) {
        if (entry.Name.empty() || entry.Name[0] == '.') continue;
        const std::string path = Joined(folder, entry.Name);
        const std::string shownPath = Joined(shown, platform::PathToUtf8(entry.Name));
        if (entry.Kind == platform::TFileKind::Folder)
            Walk(path, shownPath, seen, found);
        else if (entry.Kind == platform::TFileKind::File && IsProjectFile(entry.Name))
            found.push_back({path, shownPath});
    }
}

} // namespace

std::vector<TFoundProject> ProjectsUnder(const std::string& folder,
                                         const std::string& shownFolder) {
    std::vector<TFoundProject> found;
    std::set<std::string> seen;
    Walk(folder, shownFolder, seen, found);
    return found;
}
