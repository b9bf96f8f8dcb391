#include "lsp/TextDocument.h"

#include <algorithm>

namespace {

// The length of the UTF-8 sequence a lead byte starts (1 for a byte that starts none).
std::size_t SequenceLength(unsigned char c) {
    if (c >= 0xF0 && c < 0xF8) return 4;
    if (c >= 0xE0) return c < 0xF0 ? 3 : 1;
    if (c >= 0xC0) return 2;
    return 1;
}

} // namespace

int Utf16Length(std::string_view utf8) {
    int units = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t n =
            std::min(SequenceLength(static_cast<unsigned char>(utf8[i])), utf8.size() - i);
        units += n == 4 ? 2 : 1;
        i += n;
    }
    return units;
}

void TTextDocument::Replace(std::string text) {
    Text_ = std::move(text);
    FindLines();
}

void TTextDocument::FindLines() {
    Starts_.assign(1, 0);
    for (std::size_t i = 0; i < Text_.size(); ++i) {
        if (Text_[i] == '\r' && i + 1 < Text_.size() && Text_[i + 1] == '\n') ++i;
        if (Text_[i] == '\r' || Text_[i] == '\n') Starts_.push_back(i + 1);
    }
}

std::string_view TTextDocument::Line(int line) const {
    if (line < 0 || line >= LineCount()) return std::string_view();
    const std::size_t start = Starts_[static_cast<std::size_t>(line)];
    std::size_t end =
        line + 1 < LineCount() ? Starts_[static_cast<std::size_t>(line) + 1] : Text_.size();
    while (end > start && (Text_[end - 1] == '\n' || Text_[end - 1] == '\r'))
        --end;
    return std::string_view(Text_).substr(start, end - start);
}

std::size_t TTextDocument::Offset(TTextPosition position) const {
    if (position.Line < 0) return 0;
    if (position.Line >= LineCount()) return Text_.size();
    const std::string_view line = Line(position.Line);
    const std::size_t start = Starts_[static_cast<std::size_t>(position.Line)];
    int units = 0;
    std::size_t i = 0;
    while (i < line.size() && units < position.Character) {
        const std::size_t n =
            std::min(SequenceLength(static_cast<unsigned char>(line[i])), line.size() - i);
        units += n == 4 ? 2 : 1;
        i += n;
    }
    return start + i;
}

void TTextDocument::ReplaceRange(TTextPosition start, TTextPosition end, std::string_view text) {
    const std::size_t from = Offset(start);
    const std::size_t to = std::max(from, Offset(end));
    Text_.replace(from, to - from, text);
    FindLines();
}

std::string_view TTextDocument::LineEnd() const {
    const std::size_t lf = Text_.find('\n');
    if (lf == std::string::npos) return Text_.find('\r') == std::string::npos ? "\r\n" : "\r";
    return lf > 0 && Text_[lf - 1] == '\r' ? "\r\n" : "\n";
}
