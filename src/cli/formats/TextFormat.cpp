// text: the result lines as the framework makes them, FILE(LINE) : MESSAGE, in UTF-8 or in the
// target code page (code page 932: the system's texts unchanged; the source code page: the names
// unchanged).
#include "cli/Output.h"
#include "cli/formats/Escaping.h"
#include "cli/formats/Formats.h"

#include "platform/CodePage.h"

namespace {

class TTextWriter : public TFindingWriter {
public:
    explicit TTextWriter(const TFormatContext& context)
        : Source_(context.Source), Target_(context.TextTarget), Out_(context.Out) {}
    // The result line, each part in the output's encoding: the file as converted for the finding
    // before when it is the same (findings come part by part), the message converted only when it
    // is not plain ASCII. A part's conversion is that of the whole line: the marks of a part are
    // closed within it, and no double-byte character spans the ASCII between the parts.
    void Write(const TFindingRecord& f) override {
        if (f.File != LastFile_) {
            LastFile_ = f.File;
            LastFileText_.clear();
            if (platform::IsAscii(f.File))
                AppendLineSafe(LastFileText_, f.File);
            else
                AppendLineSafe(LastFileText_, Converted(platform::MarkPath(f.File)), !Target_);
        }
        Line_.assign(LastFileText_);
        f.AppendLineSeparator(Line_);
        if (platform::IsAscii(f.Message)) {
            AppendLineSafe(Line_, f.Message);
        } else {
            // Findings in a row often say the same (every line too long in a file): the message
            // converted last serves again.
            if (f.Message != LastMessage_) {
                LastMessage_ = f.Message;
                LastMessageText_.clear();
                AppendLineSafe(LastMessageText_, Converted(f.Message), !Target_);
            }
            Line_ += LastMessageText_;
        }
        Line_ += '\n';
        Out_.Write(Line_);
    }

private:
    const platform::TCodePage& Source_;
    // A text of the engine in the output's encoding; control characters are escaped after the
    // conversion, so that they are found whatever the code page.
    std::string Converted(std::string_view text) const {
        return Target_ ? platform::TextToCodePage(text, *Target_, Source_)
                       : platform::TextToUtf8(text, Source_);
    }

    const platform::TCodePage* Target_; // none: UTF-8
    TOutput& Out_;
    std::string LastFile_, LastFileText_;
    std::string LastMessage_, LastMessageText_;
    std::string Line_; // the line being composed; its room is kept from line to line
};

} // namespace

std::unique_ptr<TFindingWriter> MakeTextWriter(const TFormatContext& context) {
    return std::make_unique<TTextWriter>(context);
}
