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

} // namespace

void SplitStatements(TVbSyntax& syntax) {
    const std::vector<TVbWord>& words = syntax.Words;
    std::vector<TVbStatement>& out = syntax.Statements;
    struct TOpenBlock {
        std::int32_t Block;
        std::int32_t Arm;
    };
    std::vector<TOpenBlock> blocks;
    std::int32_t blockCount = 0;
    // The innermost "#If" block and its branch: what every statement gets until the next directive.
    TOpenBlock at{0, 0};
    std::int32_t lastClosedLine = -1;
    constexpr unsigned ends = 1u << static_cast<unsigned>(TVbWordKind::Comment) |
                              1u << static_cast<unsigned>(TVbWordKind::Directive) |
                              1u << static_cast<unsigned>(TVbWordKind::Separator);
    const auto count = static_cast<std::uint32_t>(words.size());
    std::uint32_t k = 0;
    while (k < count) {
        const TVbWord& w = words[k];
        if (ends >> static_cast<unsigned>(w.Kind) & 1u) {
            // Between statements: a ":" with nothing before it, a comment, a directive.
            if (w.Kind == TVbWordKind::Directive) {
                syntax.Directives.push_back({w.Line, w.Text});
                const std::string_view d = DirectiveWord(w.Text);
                if (SameName(d, "If")) {
                    blocks.push_back({++blockCount, 0});
                } else if ((SameName(d, "ElseIf") || SameName(d, "Else")) && !blocks.empty()) {
                    ++blocks.back().Arm;
                } else if (SameName(d, "End") && !blocks.empty()) {
                    blocks.pop_back();
                }
                at = blocks.empty() ? TOpenBlock{0, 0} : blocks.back();
            }
            ++k;
            continue;
        }
        // A statement: this word and those after it on its line, up to a comment, a directive
        // or a ":".
        TVbStatement current{k, 0, w.Line, at.Block, at.Arm, false};
        std::uint32_t next = k + 1;
        while (next < count && words[next].Line == current.Line &&
               !(ends >> static_cast<unsigned>(words[next].Kind) & 1u))
            ++next;
        current.Count = next - k;
        const bool bySeparator = next < count && words[next].Kind == TVbWordKind::Separator;
        // "Name:" as the first statement of its line is a label.
        if (bySeparator && current.Count == 1 && current.Line != lastClosedLine &&
            w.Kind == TVbWordKind::Word && !w.Reserved)
            current.Label = true;
        out.push_back(current);
        lastClosedLine = current.Line;
        k = bySeparator ? next + 1 : next;
    }
}
