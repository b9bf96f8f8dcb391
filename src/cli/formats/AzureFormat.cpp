// azure: Azure Pipelines logging commands, one per finding,
// ##vso[task.logissue type=warning;sourcepath=PATH;linenumber=N;code=RULE]MESSAGE (PATH absolute,
// as the agent wants it; no linenumber for a finding without a line), which the pipeline shows as
// warnings of the step.
#include "cli/Output.h"
#include "cli/formats/Escaping.h"
#include "cli/formats/Formats.h"

#include "platform/CodePage.h"
#include "platform/Files.h"

namespace {

class TAzureWriter : public TFindingWriter {
public:
    explicit TAzureWriter(const TFormatContext& context)
        : Source_(context.Source), Out_(context.Out) {}
    void Write(const TFindingRecord& r) override {
        if (r.File != LastFile_) {
            LastFile_ = r.File;
            LastPath_ = EscapeAzureData(platform::PathToUtf8(platform::AbsolutePath(r.File)), true);
        }
        std::string line = "##vso[task.logissue type=warning;sourcepath=" + LastPath_;
        if (r.HasLine()) line += ";linenumber=" + std::to_string(r.Line);
        line += ";code=" + EscapeAzureData(r.Rule, true) + ";]" +
                EscapeAzureData(platform::TextToUtf8(r.Message, Source_), false) + "\n";
        Out_.Write(line);
    }

private:
    const platform::TCodePage& Source_;
    TOutput& Out_;
    std::string LastFile_, LastPath_;
};

} // namespace

std::unique_ptr<TFindingWriter> MakeAzureWriter(const TFormatContext& context) {
    return std::make_unique<TAzureWriter>(context);
}
