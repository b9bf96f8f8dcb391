// Logical statements: the words split at ":" and at line ends (continued lines are one line
// already), comments left out, and each statement marked with the "#If" branch it stands in.
#include "vbsyntax/VbStatements.h"

namespace {

// The directive's word after "#": If, ElseIf, Else, End, Const.
std::string_view DirectiveWord(std::string_view text) {
    std::size_t i = 1;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    std::size_t from = i;
    while (i < text.size() && text[i] != ' ' && text[i] != '\t')
        ++i;
    return text.substr(from, i - from);
}

constexpr unsigned Ends = 1u << static_cast<unsigned>(TVbWordKind::Comment) |
                          1u << static_cast<unsigned>(TVbWordKind::Directive) |
                          1u << static_cast<unsigned>(TVbWordKind::Separator);

} // namespace

void TStatementSplitter::Words(std::uint32_t from, std::uint32_t to) {
    const std::vector<TVbWord>& words = Syntax_.Words;
    for (std::uint32_t k = from; k < to; ++k) {
        const TVbWord& w = words[k];
        if (Ends >> static_cast<unsigned>(w.Kind) & 1u) {
            // Between statements: a ":", a comment, a directive.
            Close(k, w.Kind == TVbWordKind::Separator);
            if (w.Kind == TVbWordKind::Directive) Directive(w);
        } else if (!Open_ || w.Line != OpenLine_) {
            Close(k, false);
            Open(k, w.Line);
        }
    }
}

void TStatementSplitter::Close(std::uint32_t end, bool bySeparator) {
    if (!Open_) return;
    Open_ = false;
    const TVbWord& first = Syntax_.Words[OpenFirst_];
    const std::uint32_t count = end - OpenFirst_;
    // "Name:" as the first statement of its line is a label.
    const bool label = bySeparator && count == 1 && OpenLine_ != LastClosedLine_ &&
                       first.Kind == TVbWordKind::Word && !first.Reserved;
    // Written field by field in place: a statement made aside and copied in is read back before
    // its parts are stored, which stalls the copy.
    TVbStatement& s = Syntax_.Statements.emplace_back();
    s.First = OpenFirst_;
    s.Count = count;
    s.Line = OpenLine_;
    s.Block = At_.Block;
    s.Arm = At_.Arm;
    s.Label = label;
    LastClosedLine_ = OpenLine_;
}

void TStatementSplitter::Directive(const TVbWord& w) {
    Syntax_.Directives.push_back({w.Line, w.Text});
    const std::string_view d = DirectiveWord(w.Text);
    if (SameName(d, "If")) {
        Blocks_.push_back({++BlockCount_, 0});
    } else if ((SameName(d, "ElseIf") || SameName(d, "Else")) && !Blocks_.empty()) {
        ++Blocks_.back().Arm;
    } else if (SameName(d, "End") && !Blocks_.empty()) {
        Blocks_.pop_back();
    }
    At_ = Blocks_.empty() ? TOpenBlock{0, 0} : Blocks_.back();
}
