// sonar: SonarQube's generic issue import format (sonar.externalIssuesReportPaths): the rules of
// the run, each a code smell of low impact on maintainability (SonarQube files the results of a
// SARIF import as vulnerabilities, which these are not), and one issue per finding with its
// message, its file relative to the current folder (the analysis' base folder) and its line (a
// finding without a line is an issue of the whole file).
#include "cli/Output.h"
#include "cli/formats/Formats.h"
#include "cli/formats/JsonSupport.h"

#include "platform/CodePage.h"
#include "platform/Files.h"

namespace {

constexpr const char* EngineId = "vetrin";

class TSonarWriter : public TFindingWriter {
public:
    explicit TSonarWriter(const TFormatContext& context)
        : Source_(context.Source), Out_(context.Out), Folder_(platform::CurrentDir()) {
        const TVetrins& rules = context.Rules;
        for (int i = 0; i < rules.Count(); ++i) {
            const TVetrin& rule = *rules.Items(i);
            const std::string name = Utf8Text(rule.DisplayName(), context.Source);
            ordered_json r;
            r["id"] = std::string(rule.ClassName());
            r["name"] = name;
            r["description"] = name;
            r["engineId"] = EngineId;
            r["cleanCodeAttribute"] = "CONVENTIONAL";
            r["type"] = "CODE_SMELL";
            r["severity"] = "MINOR";
            r["impacts"] = ordered_json::array(
                {{{"softwareQuality", "MAINTAINABILITY"}, {"severity", "LOW"}}});
            Rules_ += (Rules_.empty() ? "\n    " : ",\n    ") + Dump(r);
        }
    }
    void Begin() override {
        Out_.Write("{\n  \"rules\": [" + Rules_ + (Rules_.empty() ? "]" : "\n  ]") +
                   ",\n  \"issues\": [");
    }
    void Write(const TFindingRecord& r) override {
        if (r.File != LastFile_) {
            LastFile_ = r.File;
            LastPath_ = platform::PathToUtf8(platform::RelativePath(Folder_, r.File));
        }
        ordered_json location = {{"message", Utf8Text(r.Message, Source_)},
                                 {"filePath", LastPath_}};
        if (r.HasLine()) location["textRange"] = {{"startLine", r.Line}};
        ordered_json issue = {{"ruleId", r.Rule}, {"primaryLocation", std::move(location)}};
        Out_.Write(First_ ? "\n    " : ",\n    ");
        First_ = false;
        Out_.Write(Dump(issue));
    }
    void End() override { Out_.Write(First_ ? "]\n}\n" : "\n  ]\n}\n"); }

private:
    const platform::TCodePage& Source_;
    TOutput& Out_;
    std::string Folder_;
    std::string Rules_;
    std::string LastFile_, LastPath_;
    bool First_ = true;
};

} // namespace

std::unique_ptr<TFindingWriter> MakeSonarWriter(const TFormatContext& context) {
    return std::make_unique<TSonarWriter>(context);
}
