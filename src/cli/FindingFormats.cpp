#include "cli/FindingFormats.h"

#include "cli/CliOutput.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

#include <vector>

namespace {

// Workflow command escaping: the message may not hold "%", CR or LF as they are; a property
// value may not hold ":" or "," either, which would end it.
std::string EscapeData(std::string_view text, bool property) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '%':
            out += "%25";
            break;
        case '\r':
            out += "%0D";
            break;
        case '\n':
            out += "%0A";
            break;
        case ':':
            out += property ? "%3A" : ":";
            break;
        case ',':
            out += property ? "%2C" : ",";
            break;
        default:
            out += c;
        }
    }
    return out;
}

class TGithubWriter : public TFindingWriter {
public:
    TGithubWriter(const platform::TCodePage& source, TOutput& out)
        : Source_(source), Out_(out), Folder_(platform::CurrentDir()) {}
    void Write(const TFindingRecord& r) override {
        if (r.File != LastFile_) {
            LastFile_ = r.File;
            LastPath_ = platform::PathToUtf8(platform::RelativePath(Folder_, r.File));
        }
        Out_.Write(GithubAnnotation(LastPath_, r.HasLine() ? r.Line : -1, r.Rule,
                                    platform::TextToUtf8(r.Message, Source_)));
    }

private:
    const platform::TCodePage& Source_;
    TOutput& Out_;
    std::string Folder_;
    std::string LastFile_, LastPath_;
};

class TMsvcWriter : public TFindingWriter {
public:
    TMsvcWriter(const platform::TCodePage& source, TOutput& out) : Source_(source), Out_(out) {}
    void Write(const TFindingRecord& r) override {
        if (r.File != LastFile_) {
            LastFile_ = r.File;
            LastPath_ = platform::PathToUtf8(platform::AbsolutePath(r.File));
        }
        Line_.assign(LastPath_);
        if (r.HasLine()) Line_ += "(" + std::to_string(r.Line) + ")";
        Line_ += ": warning ";
        Line_ += r.Rule;
        Line_ += ": ";
        platform::AppendTextToUtf8(Line_, r.Message, Source_);
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

std::string GithubAnnotation(std::string_view file, std::int32_t line, std::string_view rule,
                             std::string_view message) {
    std::string text = "::warning file=" + EscapeData(file, true);
    if (line >= 0) text += ",line=" + std::to_string(line);
    text += ",title=" + EscapeData(rule, true) + "::" + EscapeData(message, false) + "\n";
    return text;
}

std::unique_ptr<TFindingWriter> MakeGithubWriter(const platform::TCodePage& source, TOutput& out) {
    return std::make_unique<TGithubWriter>(source, out);
}

std::unique_ptr<TFindingWriter> MakeMsvcWriter(const platform::TCodePage& source, TOutput& out) {
    return std::make_unique<TMsvcWriter>(source, out);
}
