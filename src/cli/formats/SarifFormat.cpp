// sarif: SARIF 2.1.0, one run of the tool "Vetrin" with its rules and one result per finding;
// files under the current folder are given relative to it (SRCROOT).
#include "cli/Output.h"
#include "cli/formats/Formats.h"
#include "cli/formats/JsonSupport.h"
#include "cli/formats/Uri.h"

#include "checkers/RuleTable.h"
#include "framework/Language.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

#include <algorithm>
#include <map>
#include <variant>
#include <vector>

namespace {

// A rule's settings as a JSON object: texts of the checker project file are code page 932.
ordered_json SettingsJson(const std::vector<TSettingDescription>& fields) {
    ordered_json settings = ordered_json::object();
    for (const TSettingDescription& d : fields) {
        const std::string key(d.Field.Key);
        if (const auto* flag = std::get_if<bool>(&d.Value))
            settings[key] = *flag;
        else if (const auto* number = std::get_if<std::int32_t>(&d.Value))
            settings[key] = *number;
        else {
            ordered_json texts = ordered_json::array();
            for (const std::string& text : std::get<TStringList>(d.Value))
                texts.push_back(platform::Cp932ToUtf8(text));
            settings[key] = std::move(texts);
        }
    }
    return settings;
}

// A message template as SARIF writes it: each named field "{name}" as "{N}", its index among the
// message's arguments.
std::string SarifTemplate(TText key, TLanguage language) {
    std::span<const std::string> names = TextFieldNames(key);
    std::vector<std::string> indexes;
    std::vector<TTextField> fields;
    for (std::size_t i = 0; i < names.size(); ++i)
        indexes.push_back("{" + std::to_string(i) + "}");
    for (std::size_t i = 0; i < names.size(); ++i)
        fields.push_back({names[i], indexes[i]});
    std::string text;
    AppendFilled(text, TextUtf8(key, language), fields, true);
    return text;
}

// The message strings of a rule in a language, by message id.
ordered_json MessageStrings(const TRuleRow& row, TLanguage language) {
    ordered_json strings = ordered_json::object();
    for (TText key : row.Messages)
        strings[std::string(TextId(key))] = {{"text", SarifTemplate(key, language)}};
    return strings;
}

class TSarifWriter : public TFindingWriter {
public:
    explicit TSarifWriter(const TFormatContext& context)
        : Source_(context.Source), Out_(context.Out) {
        const TVetrins& rules = context.Rules;
        for (int i = 0; i < rules.Count(); ++i)
            Index_[std::string(rules.Items(i)->ClassName())] = i;
        ordered_json driverRules = ordered_json::array();
        for (int i = 0; i < rules.Count(); ++i) {
            const TVetrin& rule = *rules.Items(i);
            ordered_json r;
            r["id"] = std::string(rule.ClassName());
            r["name"] = std::string(rule.ClassName()).substr(1); // without the class prefix T
            r["shortDescription"] = {{"text", platform::Cp932ToUtf8(rule.DisplayName())}};
            // The rule's messages in the run's language; the other language's in the properties.
            const TRuleRow* row = FindRuleRow(rule.ClassName());
            const TLanguage language = CurrentLanguage();
            const TLanguage other =
                language == TLanguage::Japanese ? TLanguage::English : TLanguage::Japanese;
            if (row && !row->Messages.empty()) r["messageStrings"] = MessageStrings(*row, language);
            r["properties"] = {{"category", static_cast<int>(rule.Category())}};
            if (row && !row->Messages.empty())
                r["properties"]["translations"] = {
                    {std::string(platform::LanguageCode(other)),
                     {{"name", RuleDisplayName(*row, other)},
                      {"messageStrings", MessageStrings(*row, other)}}}};
            // The settings the run checks with, by field name.
            if (std::vector<TSettingDescription> fields = rule.DescribeSettings(); !fields.empty())
                r["properties"]["settings"] = SettingsJson(fields);
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
        Out_.Write(std::string(",\n      \"language\": \"") +
                   (CurrentLanguage() == TLanguage::Japanese ? "ja-JP" : "en-US") + "\"");
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
        if (f.MessageKey) {
            r["message"]["id"] = std::string(TextId(*f.MessageKey));
            ordered_json arguments = ordered_json::array();
            for (const std::string& value : f.Fields)
                arguments.push_back(Utf8Text(value, Source_));
            r["message"]["arguments"] = std::move(arguments);
        }
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
    const platform::TCodePage& Source_;
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

    TOutput& Out_;
    ordered_json Tool_;
    std::map<std::string, int> Index_;
    bool First_ = true;
    std::string RootFolder_, RootUri_;
    std::string LastFile_;
    ordered_json LastLocation_;
};

} // namespace

std::unique_ptr<TFindingWriter> MakeSarifWriter(const TFormatContext& context) {
    return std::make_unique<TSarifWriter>(context);
}
