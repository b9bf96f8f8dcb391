#include "cli/CliOutput.h"

#include "cli/FindingFormats.h"

#include "platform/CodePage.h"
#include "platform/Console.h"
#include "platform/Files.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <map>
#include <vector>

using ordered_json = nlohmann::ordered_json;

// ---- TOutput ----

TOutput::TOutput(std::FILE* stream, unsigned codePage) : Stream_(stream), CodePage_(codePage) {
    Buffer_.reserve(1 << 20);
}

void TOutput::Write(std::string_view bytes) {
    Buffer_.append(bytes);
    if (Buffer_.size() >= (1 << 20)) Drain();
}

void TOutput::Drain() {
    if (!Buffer_.empty() && !Failed_ && !platform::WriteStandardStream(Stream_, Buffer_, CodePage_))
        Failed_ = true;
    Buffer_.clear();
}

bool TOutput::Close() {
    Drain();
    if (std::fflush(Stream_) != 0 || std::ferror(Stream_)) Failed_ = true;
    return !Failed_;
}

// ---- helpers ----

namespace {

using platform::IsAscii;

// A system text (messages, rule names) for UTF-8 output, each marked piece in its own encoding.
std::string Utf8Text(std::string_view text, const platform::TCodePage& source) {
    return IsAscii(text) ? std::string(text) : platform::TextToUtf8(text, source);
}

std::string Dump(const ordered_json& j) {
    return j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

} // namespace

void AppendEscapedUtf8(std::string& out, const platform::TCodePage& source,
                       std::string_view sourceText) {
    std::string converted;
    std::string_view text = sourceText;
    if (!IsAscii(sourceText)) {
        converted = source.ToUtf8(sourceText);
        text = converted;
    }
    for (char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            out += c;
        }
    }
}

namespace {

// Percent-encodes a path after the given start of a URI. "\" separators are written as "/"; the
// colon of a drive letter at the path's start stays as it is.
std::string PercentEncoded(std::string path, std::string uri, bool driveLetter) {
    for (char& c : path)
        if (c == '\\') c = '/';
    static const char hex[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < path.size(); ++i) {
        auto c = static_cast<unsigned char>(path[i]);
        bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                     c == '-' || c == '.' || c == '_' || c == '~' || c == '/' ||
                     (c == ':' && driveLetter && i == 1);
        if (plain) {
            uri += path[i];
        } else {
            uri += '%';
            uri += hex[c >> 4];
            uri += hex[c & 15];
        }
    }
    return uri;
}

} // namespace

std::string FileUri(std::string_view enginePath) {
    std::string path = platform::NativePath(platform::AbsolutePath(enginePath));
    // A Windows path ("C:\dir\file", "\\server\share\file"): its drive letter starts the URI's
    // path and a server name is the URI's host.
    bool unc = path.rfind("\\\\", 0) == 0 || path.rfind("//", 0) == 0;
    bool rooted = !unc && (path.rfind('/', 0) == 0 || path.rfind('\\', 0) == 0);
    std::string start = unc ? "file:" : rooted ? "file://" : "file:///";
    return PercentEncoded(std::move(path), start, !unc && !rooted);
}

std::string RelativeUri(std::string_view relativePath) {
    return PercentEncoded(platform::NativePath(relativePath), "", false);
}

namespace {

// ---- text ----

class TTextWriter : public TFindingWriter {
public:
    TTextWriter(const platform::TCodePage* target, const platform::TCodePage& source, TOutput& out)
        : Target_(target), Source_(source), Out_(out) {}
    // The result line, each part in the output's encoding: the file as converted for the finding
    // before when it is the same (findings come part by part), the message converted only when it
    // is not plain ASCII. A part's conversion is that of the whole line: the marks of a part are
    // closed within it, and no double-byte character spans the ASCII between the parts.
    void Write(const TFindingRecord& f) override {
        if (f.File != LastFile_) {
            LastFile_ = f.File;
            LastFileText_.clear();
            if (IsAscii(f.File))
                LastFileText_ = f.File;
            else
                AppendConverted(LastFileText_, platform::MarkPath(f.File));
        }
        Line_.assign(LastFileText_);
        f.AppendLineSeparator(Line_);
        if (IsAscii(f.Message)) {
            Line_ += f.Message;
        } else {
            // Findings in a row often say the same (every line too long in a file): the message
            // converted last serves again.
            if (f.Message != LastMessage_) {
                LastMessage_ = f.Message;
                LastMessageText_.clear();
                AppendConverted(LastMessageText_, f.Message);
            }
            Line_ += LastMessageText_;
        }
        Line_ += '\n';
        Out_.Write(Line_);
    }

private:
    void AppendConverted(std::string& out, std::string_view text) const {
        if (Target_)
            out += platform::TextToCodePage(text, *Target_, Source_);
        else
            platform::AppendTextToUtf8(out, text, Source_);
    }

    const platform::TCodePage* Target_; // none: UTF-8
    const platform::TCodePage& Source_;
    TOutput& Out_;
    std::string LastFile_, LastFileText_;
    std::string LastMessage_, LastMessageText_;
    std::string Line_; // the line being composed; its room is kept from line to line
};

// ---- JSON ----

class TJsonWriter : public TFindingWriter {
public:
    TJsonWriter(const TVetrins& rules, const platform::TCodePage& source, TOutput& out)
        : Source_(source), Out_(out) {
        // The display names in code page 932, made once per rule.
        for (int i = 0; i < rules.Count(); ++i)
            Names_.emplace(std::string(rules.Items(i)->ClassName()),
                           rules.Items(i)->GetCheckerName());
    }
    void Write(const TFindingRecord& f) override {
        ordered_json j;
        j["file"] = platform::PathToUtf8(f.File);
        j["line"] = f.HasLine() ? ordered_json(f.Line) : ordered_json(nullptr);
        j["message"] = Utf8Text(f.Message, Source_);
        j["rule"] = f.Rule;
        j["ruleName"] = Utf8Text(RuleName(f.Rule), Source_);
        Out_.Write(First_ ? "[\n  " : ",\n  ");
        First_ = false;
        Out_.Write(Dump(j));
    }
    void End() override { Out_.Write(First_ ? "[]\n" : "\n]\n"); }

private:
    // A finding of a rule outside the collection has no display name.
    std::string_view RuleName(const std::string& className) const {
        auto it = Names_.find(className);
        return it == Names_.end() ? std::string_view() : std::string_view(it->second);
    }
    const platform::TCodePage& Source_;
    TOutput& Out_;
    bool First_ = true;
    std::map<std::string, std::string, std::less<>> Names_;
};

// ---- SARIF ----

class TSarifWriter : public TFindingWriter {
public:
    TSarifWriter(const TVetrins& rules, const platform::TCodePage& source, TOutput& out)
        : Source_(source), Out_(out) {
        for (int i = 0; i < rules.Count(); ++i)
            Index_[std::string(rules.Items(i)->ClassName())] = i;
        ordered_json driverRules = ordered_json::array();
        for (int i = 0; i < rules.Count(); ++i) {
            const TVetrin& rule = *rules.Items(i);
            ordered_json r;
            r["id"] = std::string(rule.ClassName());
            r["name"] = std::string(rule.ClassName()).substr(1); // without the class prefix T
            r["shortDescription"] = {{"text", platform::Cp932ToUtf8(rule.GetCheckerName())}};
            r["properties"] = {{"category", static_cast<int>(rule.Category())}};
            driverRules.push_back(std::move(r));
        }
        Tool_ = {{"driver",
                  {{"name", "Vetrin"},
                   {"version", ToolVersion},
                   {"informationUri", ToolInformationUri},
                   {"rules", std::move(driverRules)}}}};
        // Files under the current folder are given relative to it, so the log does not depend
        // on where the sources were checked out.
        RootFolder_ = platform::AbsolutePath(platform::CurrentDir());
        RootUri_ = FileUri(RootFolder_);
        if (RootUri_.empty() || RootUri_.back() != '/') RootUri_ += '/';
    }
    void Begin() override {
        std::string tool = Tool_.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
        // Indent the tool object to its place in the document.
        std::string indented;
        for (char c : tool) {
            indented += c;
            if (c == '\n') indented += "      ";
        }
        Out_.Write("{\n"
                   "  \"$schema\": \"https://json.schemastore.org/sarif-2.1.0.json\",\n"
                   "  \"version\": \"2.1.0\",\n"
                   "  \"runs\": [\n"
                   "    {\n"
                   "      \"tool\": ");
        Out_.Write(indented);
        ordered_json bases = {{"SRCROOT", {{"uri", RootUri_}}}};
        Out_.Write(",\n      \"originalUriBaseIds\": " + Dump(bases));
        Out_.Write(",\n      \"results\": [");
    }
    void Write(const TFindingRecord& f) override {
        if (f.File != LastFile_) {
            LastFile_ = f.File;
            LastLocation_ = ArtifactLocation(f.File);
        }
        ordered_json location;
        location["artifactLocation"] = LastLocation_;
        if (f.HasLine())
            location["region"] = {{"startLine", f.Line}};
        else
            location["region"] = {{"startLine", 1}, {"endLine", f.FileLines}};
        ordered_json r;
        r["ruleId"] = f.Rule;
        r["ruleIndex"] = Index_[f.Rule];
        r["level"] = "warning";
        r["message"] = {{"text", Utf8Text(f.Message, Source_)}};
        ordered_json physical;
        physical["physicalLocation"] = std::move(location);
        r["locations"] = ordered_json::array();
        r["locations"].push_back(std::move(physical));
        Out_.Write(First_ ? "\n        " : ",\n        ");
        First_ = false;
        Out_.Write(Dump(r));
    }
    void End() override { Finish(true); }
    void Fail() override { Finish(false); }

private:
    static constexpr const char* ToolVersion = "1.0.0";
    static constexpr const char* ToolInformationUri = "https://vetrin.invalid/";

    void Finish(bool success) {
        Out_.Write(First_ ? "],\n" : "\n      ],\n");
        Out_.Write(std::string("      \"invocations\": [{\"executionSuccessful\": ") +
                   (success ? "true" : "false") + "}]\n");
        Out_.Write("    }\n  ]\n}\n");
    }
    // Relative to SRCROOT when the file is under the current folder, else an absolute URI.
    ordered_json ArtifactLocation(const std::string& file) const {
        std::string relative = platform::RelativePath(RootFolder_, file);
        if (relative == ".." || relative.rfind("../", 0) == 0) return {{"uri", FileUri(file)}};
        return {{"uri", RelativeUri(relative)}, {"uriBaseId", "SRCROOT"}};
    }

    const platform::TCodePage& Source_;
    TOutput& Out_;
    ordered_json Tool_;
    std::map<std::string, int> Index_;
    bool First_ = true;
    std::string RootFolder_, RootUri_;
    std::string LastFile_;
    ordered_json LastLocation_;
};

} // namespace

std::unique_ptr<TFindingWriter> MakeWriter(TFormat format, const platform::TCodePage* textTarget,
                                           const platform::TCodePage& source, const TVetrins& rules,
                                           TOutput& out) {
    switch (format) {
    case TFormat::Json:
        return std::make_unique<TJsonWriter>(rules, source, out);
    case TFormat::Sarif:
        return std::make_unique<TSarifWriter>(rules, source, out);
    case TFormat::Github:
        return MakeGithubWriter(source, out);
    case TFormat::Msvc:
        return MakeMsvcWriter(source, out);
    default:
        return std::make_unique<TTextWriter>(textTarget, source, out);
    }
}
