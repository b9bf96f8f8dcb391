// github: GitHub Actions workflow commands, one per finding,
// ::warning file=PATH,line=N,title=RULE::MESSAGE (PATH relative to the current folder; no line=N
// for a finding without a line), which the runner shows as annotations.
#include "cli/Output.h"
#include "cli/formats/Escaping.h"
#include "cli/formats/Formats.h"

#include "platform/CodePage.h"
#include "platform/Files.h"

namespace {

class TGithubWriter : public TFindingWriter {
public:
    explicit TGithubWriter(const TFormatContext& context)
        : Source_(context.Source), Out_(context.Out), Folder_(platform::CurrentDir()) {}
    void Write(const TFindingRecord& r) override {
        if (r.File != LastFile_) {
            LastFile_ = r.File;
            LastPath_ = platform::PathToUtf8(platform::RelativePath(Folder_, r.File));
        }
        std::string text = "::warning file=" + EscapeWorkflowData(LastPath_, true);
        if (r.HasLine()) text += ",line=" + std::to_string(r.Line);
        text += ",title=" + EscapeWorkflowData(r.Rule, true) +
                "::" + EscapeWorkflowData(platform::TextToUtf8(r.Message, Source_), false) + "\n";
        Out_.Write(text);
    }

private:
    const platform::TCodePage& Source_;
    TOutput& Out_;
    std::string Folder_;
    std::string LastFile_, LastPath_;
};

} // namespace

std::unique_ptr<TFindingWriter> MakeGithubWriter(const TFormatContext& context) {
    return std::make_unique<TGithubWriter>(context);
}
