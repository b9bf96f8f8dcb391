// msvc: PATH(N): warning RULE: MESSAGE (PATH absolute; no (N) for a finding without a line), the
// form Visual Studio and the common editor problem matchers read.
#include "cli/Output.h"
#include "cli/formats/Escaping.h"
#include "cli/formats/Formats.h"

#include "platform/CodePage.h"
#include "platform/Files.h"

namespace {

class TMsvcWriter : public TFindingWriter {
public:
    explicit TMsvcWriter(const TFormatContext& context)
        : Source_(context.Source), Out_(context.Out) {}
    void Write(const TFindingRecord& r) override {
        if (r.File != LastFile_) {
            LastFile_ = r.File;
            LastPath_ = LineSafe(platform::PathToUtf8(platform::AbsolutePath(r.File)));
        }
        Line_.assign(LastPath_);
        if (r.HasLine()) Line_ += "(" + std::to_string(r.Line) + ")";
        Line_ += ": warning ";
        Line_ += r.Rule;
        Line_ += ": ";
        AppendLineSafe(Line_, platform::TextToUtf8(r.Message, Source_));
        Line_ += '\n';
        Out_.Write(Line_);
    }

private:
    const platform::TCodePage& Source_;
    TOutput& Out_;
    std::string LastFile_, LastPath_;
    std::string Line_;
};

} // namespace

std::unique_ptr<TFindingWriter> MakeMsvcWriter(const TFormatContext& context) {
    return std::make_unique<TMsvcWriter>(context);
}
