#include "cli/Baseline.h"

#include "cli/CliTexts.h"
#include "cli/FindingKey.h"
#include "framework/Errors.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <vector>

namespace {

std::string Folded(std::string text) { return ComparedPath(std::move(text)); }

// A path (the file system's form) in UTF-8, as the baseline file keeps it.
std::string PathUtf8(std::string_view path) { return platform::PathToUtf8(path); }

} // namespace

TBaseline::TKey TBaseline::MakeKey(const std::string& project, const std::string& file,
                                   const std::string& rule, const std::string& message) {
    return {Folded(project), Folded(file), rule, message};
}

TBaseline::TBaseline(const std::string& fileName, const platform::TCodePage& source)
    : FileName_(fileName), Folder_(platform::FolderPart(platform::AbsolutePath(fileName))),
      Source_(source) {}

void TBaseline::SetRunProjects(const std::vector<std::string>& projectFiles) {
    std::set<std::string> seen;
    SharedNames_.clear();
    for (const std::string& project : projectFiles) {
        std::string name = Folded(PathUtf8(platform::FileNamePart(project)));
        if (!seen.insert(name).second) SharedNames_.insert(name);
    }
}

const TBaseline::TPlace& TBaseline::Place(const std::string& projectFile,
                                          const TFindingRecord& finding) {
    if (projectFile == PlacedProject_ && finding.File == PlacedFile_ && !PlacedFile_.empty())
        return Placed_;
    const std::string absolute = platform::AbsolutePath(projectFile);
    Placed_.Project = PathUtf8(platform::RelativePath(Folder_, absolute));
    Placed_.File = PathUtf8(platform::RelativePath(platform::FolderPart(absolute), finding.File));
    Placed_.LegacyProject.clear();
    if (Version_ == 1) {
        std::string name = PathUtf8(platform::FileNamePart(projectFile));
        // A name two projects of the run share stands for neither: matching it could hide a
        // new finding of one behind an old finding of the other.
        if (!SharedNames_.count(Folded(name))) Placed_.LegacyProject = std::move(name);
    }
    PlacedProject_ = projectFile;
    PlacedFile_ = finding.File;
    return Placed_;
}

std::string TBaseline::ComparedMessage(const TFindingRecord& finding) const {
    return platform::TextToUtf8(finding.MessageIn(TLanguage::Japanese), Source_);
}

void TBaseline::Add(const std::string& projectFile, const TFindingRecord& finding) {
    const TPlace& place = Place(projectFile, finding);
    TEntry& entry =
        Entries_[MakeKey(place.Project, place.File, finding.Rule, ComparedMessage(finding))];
    if (entry.Count++ == 0) {
        entry.Project = place.Project;
        entry.File = place.File;
        if (finding.MessageKey) {
            entry.MessageId = TextId(*finding.MessageKey);
            std::span<const std::string> names = TextFieldNames(*finding.MessageKey);
            for (std::size_t i = 0; i < names.size() && i < finding.Fields.size(); ++i)
                entry.Fields.emplace_back(names[i],
                                          platform::TextToUtf8(finding.Fields[i], Source_));
        }
    }
}

bool TBaseline::Match(const std::string& projectFile, const TFindingRecord& finding) {
    const TPlace& place = Place(projectFile, finding);
    const std::string& project = Version_ == 1 ? place.LegacyProject : place.Project;
    if (project.empty()) return false;
    Projects_.insert(Folded(project));
    auto it = Entries_.find(MakeKey(project, place.File, finding.Rule, ComparedMessage(finding)));
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
    std::string text = "{\n  \"version\": 2,\n  \"findings\": [";
    bool first = true;
    for (const auto& [key, entry] : Entries_) {
        for (std::int64_t n = 1; n <= entry.Count; ++n) {
            nlohmann::ordered_json j;
            j["project"] = entry.Project;
            j["file"] = entry.File;
            j["rule"] = std::get<2>(key);
            j["message"] = std::get<3>(key);
            if (!entry.MessageId.empty()) {
                j["messageId"] = entry.MessageId;
                j["fields"] = nlohmann::ordered_json::object();
                for (const auto& [name, value] : entry.Fields)
                    j["fields"][name] = value;
            }
            j["occurrence"] = n;
            text += first ? "\n    " : ",\n    ";
            first = false;
            text += j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
        }
    }
    text += first ? "]\n}\n" : "\n  ]\n}\n";
    return text;
}

void TBaseline::Save() const {
    if (!platform::WriteFileBytes(FileName_, ToJson())) throw EFCreateError(FileName_);
}

void TBaseline::Load() {
    const std::string& fileName = FileName_;
    std::string bytes;
    if (!platform::FileExists(fileName) || !platform::ReadFileBytes(fileName, bytes))
        throw EFOpenError(fileName);
    auto malformed = [&](const std::string& why) {
        return EGeneralError(
            CliTextCp932(TCliText::NotABaseline, {{"file", platform::MarkPath(fileName)},
                                                  {"why", platform::Utf8ToCp932(why)}}));
    };
    nlohmann::json doc = nlohmann::json::parse(bytes, nullptr, false);
    if (doc.is_discarded()) throw malformed(CliText(TCliText::BaselineInvalidJson));
    if (!doc.is_object() || !doc.contains("findings") || !doc["findings"].is_array())
        throw malformed(CliText(TCliText::BaselineNoFindings));
    // Version 1 named the project by its file name, version 2 by its path relative to here.
    if (!doc.contains("version") || (doc["version"] != 1 && doc["version"] != 2))
        throw malformed(CliText(TCliText::BaselineUnknownVersion));
    Version_ = doc["version"] == 1 ? 1 : 2;
    Entries_.clear();
    Projects_.clear();
    std::size_t index = 0;
    for (const auto& f : doc["findings"]) {
        ++index;
        auto text = [&](const char* name) -> std::string {
            if (!f.is_object() || !f.contains(name) || !f[name].is_string())
                throw malformed(CliText(TCliText::BaselineEntryNoText,
                                        {{"index", std::to_string(index)}, {"name", name}}));
            return f[name].get<std::string>();
        };
        std::string project = text("project"), file = text("file");
        std::string message = text("message");
        // An entry with a key compares by the key and its fields; the text beside them is for
        // the reader and for versions that know no keys.
        std::string messageId;
        std::vector<std::pair<std::string, std::string>> fields;
        if (f.contains("messageId")) {
            const std::string id = text("messageId");
            std::optional<TText> key = FindTextId(id);
            const nlohmann::json* values = f.contains("fields") ? &f["fields"] : nullptr;
            if (!key || !values || !values->is_object())
                throw malformed(CliText(TCliText::BaselineUnknownMessage,
                                        {{"index", std::to_string(index)}, {"id", id}}));
            std::vector<TTextField> named;
            for (const std::string& name : TextFieldNames(*key)) {
                auto value = values->find(name);
                if (value == values->end() || !value->is_string())
                    throw malformed(CliText(TCliText::BaselineUnknownMessage,
                                            {{"index", std::to_string(index)}, {"id", id}}));
                fields.emplace_back(name, value->get<std::string>());
            }
            for (const auto& [name, value] : fields)
                named.push_back({name, value});
            message.clear();
            AppendFilled(message, TextUtf8(*key, TLanguage::Japanese), named, true);
            messageId = id;
        }
        TEntry& entry = Entries_[MakeKey(project, file, text("rule"), message)];
        if (entry.Count++ == 0) {
            entry.Project = project;
            entry.File = file;
            entry.MessageId = std::move(messageId);
            entry.Fields = std::move(fields);
        }
    }
}
