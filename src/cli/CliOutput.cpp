#include "cli/CliOutput.h"

#include "platform/CodePage.h"
#include "platform/Files.h"

#include <nlohmann/json.hpp>

#include <map>
#include <vector>

using ordered_json = nlohmann::ordered_json;

// ---- TOutput ----

TOutput::TOutput(std::FILE* stream) : Stream_(stream) { Buffer_.reserve(1 << 20); }

void TOutput::Write(std::string_view bytes) {
    Buffer_.append(bytes);
    if (Buffer_.size() >= (1 << 20)) Drain();
}

void TOutput::Drain() {
    if (!Buffer_.empty() && !Failed_ &&
        std::fwrite(Buffer_.data(), 1, Buffer_.size(), Stream_) != Buffer_.size())
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

bool IsAscii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// A system text (messages, rule names) for UTF-8 output, each marked piece in its own encoding.
std::string Utf8Text(std::string_view text) {
    return IsAscii(text) ? std::string(text) : platform::TextToUtf8(text);
}

std::string Dump(const ordered_json& j) {
    return j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

} // namespace

void AppendEscapedUtf8(std::string& out, std::string_view sourceText) {
    std::string converted;
    std::string_view text = sourceText;
    if (!IsAscii(sourceText)) {
        converted = platform::SourceCodePage().ToUtf8(sourceText);
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

std::string FileUri(std::string_view enginePath) {
    std::string path = platform::NativePath(platform::AbsolutePath(enginePath));
    static const char hex[] = "0123456789ABCDEF";
    std::string uri = "file://";
    for (char ch : path) {
        auto c = static_cast<unsigned char>(ch);
        bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                     c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
        if (plain) {
            uri += ch;
        } else {
            uri += '%';
            uri += hex[c >> 4];
            uri += hex[c & 15];
        }
    }
    return uri;
}

namespace {

// ---- text ----

class TTextWriter : public TFindingWriter {
public:
    TTextWriter(const platform::TCodePage* target, TOutput& out) : Target_(target), Out_(out) {}
    void Write(const std::vector<TFinding>& findings) override {
        std::string block;
        for (const auto& f : findings) {
            block += f.ResultLine;
            block += '\n';
        }
        // One conversion per part; LF never joins a double-byte character.
        if (IsAscii(block))
            Out_.Write(block);
        else
            Out_.Write(Target_ ? platform::TextToCodePage(block, *Target_)
                               : platform::TextToUtf8(block));
    }

private:
    const platform::TCodePage* Target_; // none: UTF-8
    TOutput& Out_;
};

// ---- JSON ----

class TJsonWriter : public TFindingWriter {
public:
    explicit TJsonWriter(TOutput& out) : Out_(out) {}
    void Write(const std::vector<TFinding>& findings) override {
        std::string block;
        for (const TFinding& f : findings) {
            ordered_json j;
            j["file"] = platform::PathToUtf8(f.File);
            j["line"] = f.HasLine ? ordered_json(f.Line) : ordered_json(nullptr);
            j["message"] = Utf8Text(f.Message);
            j["rule"] = std::string(f.Rule->ClassName());
            j["ruleName"] = Utf8Text(RuleName(*f.Rule));
            block += First_ ? "[\n  " : ",\n  ";
            First_ = false;
            block += Dump(j);
        }
        Out_.Write(block);
    }
    void End() override { Out_.Write(First_ ? "[]\n" : "\n]\n"); }

private:
    // The display name in code page 932, made once per rule.
    const std::string& RuleName(const TVetrin& rule) {
        auto it = Names_.find(&rule);
        if (it == Names_.end()) it = Names_.emplace(&rule, rule.GetCheckerName()).first;
        return it->second;
    }
    TOutput& Out_;
    bool First_ = true;
    std::map<const TVetrin*, std::string> Names_;
};

// ---- SARIF ----

class TSarifWriter : public TFindingWriter {
public:
    TSarifWriter(const TVetrins& rules, TOutput& out) : Out_(out) {
        for (int i = 0; i < rules.Count(); ++i)
            Index_[rules.Items(i)] = i;
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
        Tool_ = {{"driver", {{"name", "Vetrin"}, {"rules", std::move(driverRules)}}}};
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
        Out_.Write(",\n      \"results\": [");
    }
    void Write(const std::vector<TFinding>& findings) override {
        std::string block;
        for (const TFinding& f : findings) {
            if (f.File != LastFile_) {
                LastFile_ = f.File;
                LastUri_ = FileUri(f.File);
            }
            ordered_json location;
            location["artifactLocation"] = {{"uri", LastUri_}};
            if (f.HasLine) location["region"] = {{"startLine", f.Line}};
            ordered_json r;
            r["ruleId"] = std::string(f.Rule->ClassName());
            r["ruleIndex"] = Index_[f.Rule];
            r["level"] = "warning";
            r["message"] = {{"text", Utf8Text(f.Message)}};
            ordered_json physical;
            physical["physicalLocation"] = std::move(location);
            r["locations"] = ordered_json::array();
            r["locations"].push_back(std::move(physical));
            block += First_ ? "\n        " : ",\n        ";
            First_ = false;
            block += Dump(r);
        }
        Out_.Write(block);
    }
    void End() override {
        Out_.Write(First_ ? "]\n" : "\n      ]\n");
        Out_.Write("    }\n  ]\n}\n");
    }

private:
    TOutput& Out_;
    ordered_json Tool_;
    std::map<const TVetrin*, int> Index_;
    bool First_ = true;
    std::string LastFile_, LastUri_;
};

} // namespace

std::unique_ptr<TFindingWriter> MakeWriter(TFormat format, const platform::TCodePage* textTarget,
                                           const TVetrins& rules, TOutput& out) {
    switch (format) {
    case TFormat::Json:
        return std::make_unique<TJsonWriter>(out);
    case TFormat::Sarif:
        return std::make_unique<TSarifWriter>(rules, out);
    default:
        return std::make_unique<TTextWriter>(textTarget, out);
    }
}
