// gitlab: GitLab's Code Quality report, one JSON array of issues {description, check_name,
// fingerprint, severity, location: {path, lines: {begin}}} with paths relative to the current
// folder (the repository's root in a pipeline). The fingerprint is made from the baseline's
// matching key (project, rule, file, message, occurrence), never from the line or the language,
// so a finding keeps its fingerprint when lines are inserted above it and GitLab does not take it
// for new.
#include "cli/FindingKey.h"
#include "cli/Output.h"
#include "cli/formats/Formats.h"
#include "cli/formats/JsonSupport.h"

#include "platform/CodePage.h"
#include "platform/Files.h"

#include <cstdint>
#include <map>

namespace {

// 128 bits as 32 hexadecimal digits: two 64-bit FNV-1a hashes of the key, from two starting
// values. Enough to tell the findings of any code base apart; not meant to keep a secret.
std::string Fingerprint(std::string_view key) {
    std::uint64_t a = 14695981039346656037ull, b = 0x6c62272e07bb0142ull;
    for (char c : key) {
        a = (a ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        b = (b ^ static_cast<unsigned char>(c)) * 0x100000001b3ull;
        b ^= b >> 29;
    }
    static const char hex[] = "0123456789abcdef";
    std::string text;
    for (std::uint64_t part : {a, b})
        for (int shift = 60; shift >= 0; shift -= 4)
            text += hex[(part >> shift) & 15];
    return text;
}

class TGitlabWriter : public TFindingWriter {
public:
    explicit TGitlabWriter(const TFormatContext& context)
        : Source_(context.Source), Out_(context.Out), Folder_(platform::CurrentDir()) {}
    void BeginProject(const std::string& projectFile) override {
        const std::string absolute = platform::AbsolutePath(projectFile);
        ProjectKey_ = ComparedPath(platform::PathToUtf8(platform::RelativePath(Folder_, absolute)));
        ProjectFolder_ = platform::FolderPart(absolute);
    }
    void Write(const TFindingRecord& r) override {
        if (r.File != LastFile_) {
            LastFile_ = r.File;
            LastPath_ = platform::PathToUtf8(platform::RelativePath(Folder_, r.File));
            LastFileKey_ =
                ComparedPath(platform::PathToUtf8(platform::RelativePath(ProjectFolder_, r.File)));
        }
        // The key takes the Japanese text, as the baseline does: the same in every language.
        std::string key = ProjectKey_ + '\0' + LastFileKey_ + '\0' + r.Rule + '\0' +
                          Utf8Text(r.MessageIn(TLanguage::Japanese), Source_);
        const std::int64_t occurrence = ++Occurrences_[key];
        key += '\0' + std::to_string(occurrence);
        ordered_json issue;
        issue["description"] = Utf8Text(r.Message, Source_);
        issue["check_name"] = r.Rule;
        issue["fingerprint"] = Fingerprint(key);
        issue["severity"] = "minor";
        issue["location"] = {{"path", LastPath_}, {"lines", {{"begin", r.HasLine() ? r.Line : 1}}}};
        Out_.Write(First_ ? "[\n  " : ",\n  ");
        First_ = false;
        Out_.Write(Dump(issue));
    }
    void End() override { Out_.Write(First_ ? "[]\n" : "\n]\n"); }

private:
    const platform::TCodePage& Source_;
    TOutput& Out_;
    std::string Folder_;
    std::string ProjectKey_, ProjectFolder_;
    std::string LastFile_, LastPath_, LastFileKey_;
    std::map<std::string, std::int64_t> Occurrences_;
    bool First_ = true;
};

} // namespace

std::unique_ptr<TFindingWriter> MakeGitlabWriter(const TFormatContext& context) {
    return std::make_unique<TGitlabWriter>(context);
}
