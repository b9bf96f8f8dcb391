#include "cli/Baseline.h"

#include "framework/Errors.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

#include <nlohmann/json.hpp>

#include <vector>

namespace {

// The compared form of a path in UTF-8: ASCII letters folded, "\" taken for "/". UTF-8 never
// puts an ASCII byte inside a multi-byte character, so this cannot change one.
std::string Folded(std::string text) {
    for (char& c : text) {
        if (c == '\\')
            c = '/';
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// A path (the file system's form) in UTF-8, as the baseline file keeps it.
std::string PathUtf8(std::string_view path) { return platform::PathToUtf8(path); }

} // namespace

TBaseline::TKey TBaseline::MakeKey(const std::string& project, const std::string& file,
                                   const std::string& rule, const std::string& message) {
    return {Folded(project), Folded(file), rule, message};
}

const std::pair<std::string, std::string>& TBaseline::Place(const std::string& projectFile,
                                                            const TFindingRecord& finding) {
    if (projectFile == PlacedProject_ && finding.File == PlacedFile_ && !PlacedFile_.empty())
        return Placed_;
    std::string folder = platform::FolderPart(platform::AbsolutePath(projectFile));
    Placed_ = {PathUtf8(platform::FileNamePart(projectFile)),
               PathUtf8(platform::RelativePath(folder, finding.File))};
    PlacedProject_ = projectFile;
    PlacedFile_ = finding.File;
    return Placed_;
}

void TBaseline::Add(const std::string& projectFile, const TFindingRecord& finding) {
    const auto& [project, file] = Place(projectFile, finding);
    TEntry& entry = Entries_[MakeKey(project, file, finding.Rule,
                                     platform::TextToUtf8(finding.Message, Source_))];
    if (entry.Count++ == 0) {
        entry.Project = project;
        entry.File = file;
    }
}

bool TBaseline::Match(const std::string& projectFile, const TFindingRecord& finding) {
    const auto& [project, file] = Place(projectFile, finding);
    Projects_.insert(Folded(project));
    auto it = Entries_.find(
        MakeKey(project, file, finding.Rule, platform::TextToUtf8(finding.Message, Source_)));
    if (it == Entries_.end()) return false;
    return ++it->second.Seen <= it->second.Count;
}

std::int64_t TBaseline::FixedCount() const {
    std::int64_t fixed = 0;
    for (const auto& [key, entry] : Entries_)
        if (Projects_.count(std::get<0>(key)) && entry.Seen < entry.Count)
            fixed += entry.Count - entry.Seen;
    return fixed;
}

std::int64_t TBaseline::Count() const {
    std::int64_t n = 0;
    for (const auto& [key, entry] : Entries_)
        n += entry.Count;
    return n;
}

std::string TBaseline::ToJson() const {
    // The map is ordered by the compared form, so the order does not depend on the run.
    std::string text = "{\n  \"version\": 1,\n  \"findings\": [";
    bool first = true;
    for (const auto& [key, entry] : Entries_) {
        for (std::int64_t n = 1; n <= entry.Count; ++n) {
            nlohmann::ordered_json j;
            j["project"] = entry.Project;
            j["file"] = entry.File;
            j["rule"] = std::get<2>(key);
            j["message"] = std::get<3>(key);
            j["occurrence"] = n;
            text += first ? "\n    " : ",\n    ";
            first = false;
            text += j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
        }
    }
    text += first ? "]\n}\n" : "\n  ]\n}\n";
    return text;
}

void TBaseline::SaveToFile(const std::string& fileName) const {
    if (!platform::WriteFileBytes(fileName, ToJson())) throw EFCreateError(fileName);
}

void TBaseline::LoadFromFile(const std::string& fileName) {
    std::string bytes;
    if (!platform::FileExists(fileName) || !platform::ReadFileBytes(fileName, bytes))
        throw EFOpenError(fileName);
    auto malformed = [&](const std::string& why) {
        return EGeneralError(platform::MarkPath(fileName) + ": not a baseline file (" +
                             platform::Utf8ToCp932(why) + ")");
    };
    nlohmann::json doc = nlohmann::json::parse(bytes, nullptr, false);
    if (doc.is_discarded()) throw malformed("invalid JSON");
    if (!doc.is_object() || !doc.contains("findings") || !doc["findings"].is_array())
        throw malformed("no findings array");
    if (!doc.contains("version") || doc["version"] != 1) throw malformed("unknown version");
    Entries_.clear();
    Projects_.clear();
    std::size_t index = 0;
    for (const auto& f : doc["findings"]) {
        ++index;
        auto text = [&](const char* name) -> std::string {
            if (!f.is_object() || !f.contains(name) || !f[name].is_string())
                throw malformed("entry " + std::to_string(index) + " has no text \"" + name + "\"");
            return f[name].get<std::string>();
        };
        std::string project = text("project"), file = text("file");
        TEntry& entry = Entries_[MakeKey(project, file, text("rule"), text("message"))];
        if (entry.Count++ == 0) {
            entry.Project = project;
            entry.File = file;
        }
    }
}
