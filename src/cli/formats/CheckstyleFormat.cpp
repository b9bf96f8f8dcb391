// checkstyle: Checkstyle's XML report, read by Jenkins and many other tools:
// <checkstyle version="..."><file name="PATH"><error line="N" severity="warning" message="..."
// source="RULE"/>...</file>...</checkstyle>, a <file> per run of findings of one file (PATH
// absolute; no line for a finding without one).
#include "cli/Output.h"
#include "cli/formats/Escaping.h"
#include "cli/formats/Formats.h"

#include "platform/CodePage.h"
#include "platform/Files.h"

namespace {

class TCheckstyleWriter : public TFindingWriter {
public:
    explicit TCheckstyleWriter(const TFormatContext& context)
        : Source_(context.Source), Out_(context.Out) {}
    void Begin() override {
        Out_.Write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<checkstyle version=\"8.0\">\n");
    }
    void Write(const TFindingRecord& r) override {
        if (!Open_ || r.File != LastFile_) {
            if (Open_) Out_.Write("  </file>\n");
            LastFile_ = r.File;
            Open_ = true;
            Out_.Write("  <file name=\"" +
                       Xml(platform::PathToUtf8(platform::AbsolutePath(r.File)), true) + "\">\n");
        }
        std::string line = "    <error";
        if (r.HasLine()) line += " line=\"" + std::to_string(r.Line) + "\"";
        line += " severity=\"warning\" message=\"" +
                Xml(platform::TextToUtf8(r.Message, Source_), true) + "\" source=\"" +
                Xml(r.Rule, true) + "\"/>\n";
        Out_.Write(line);
    }
    void End() override {
        if (Open_) Out_.Write("  </file>\n");
        Open_ = false;
        Out_.Write("</checkstyle>\n");
    }

private:
    const platform::TCodePage& Source_;
    TOutput& Out_;
    std::string LastFile_;
    bool Open_ = false;
};

} // namespace

std::unique_ptr<TFindingWriter> MakeCheckstyleWriter(const TFormatContext& context) {
    return std::make_unique<TCheckstyleWriter>(context);
}
