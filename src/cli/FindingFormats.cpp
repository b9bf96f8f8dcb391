#include "cli/FindingFormats.h"

#include "cli/CliOutput.h"
#include "cli/formats/Escaping.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

#include <vector>

namespace {

class TGithubWriter : public TFindingWriter {
public:
    explicit TGithubWriter(TOutput& out) : Out_(out), Folder_(platform::CurrentDir()) {}
    void Write(const TFindingRecord& r) override {
        if (r.File != LastFile_) {
            LastFile_ = r.File;
            LastPath_ = platform::PathToUtf8(platform::RelativePath(Folder_, r.File));
        }
        Out_.Write(GithubAnnotation(LastPath_, r.HasLine() ? r.Line : -1, r.Rule,
                                    platform::TextToUtf8(r.Message)));
    }

private:
    TOutput& Out_;
    std::string Folder_;
    std::string LastFile_, LastPath_;
};

class TMsvcWriter : public TFindingWriter {
public:
    explicit TMsvcWriter(TOutput& out) : Out_(out) {}
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
        AppendLineSafe(Line_, platform::TextToUtf8(r.Message));
        Line_ += '\n';
        Out_.Write(Line_);
    }

private:
    TOutput& Out_;
    std::string LastFile_, LastPath_;
    std::string Line_;
};

} // namespace

std::string GithubAnnotation(std::string_view file, std::int32_t line, std::string_view rule,
                             std::string_view message) {
    std::string text = "::warning file=" + EscapeWorkflowData(file, true);
    if (line >= 0) text += ",line=" + std::to_string(line);
    text += ",title=" + EscapeWorkflowData(rule, true) + "::" + EscapeWorkflowData(message, false) +
            "\n";
    return text;
}

std::unique_ptr<TFindingWriter> MakeGithubWriter(TOutput& out) {
    return std::make_unique<TGithubWriter>(out);
}

std::unique_ptr<TFindingWriter> MakeMsvcWriter(TOutput& out) {
    return std::make_unique<TMsvcWriter>(out);
}
