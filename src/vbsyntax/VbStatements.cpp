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
    bool open = false;
    TVbStatement current{};
    std::int32_t lastClosedLine = -1;
    auto close = [&](bool bySeparator) {
        if (!open) return;
        // "Name:" as the first statement of its line is a label.
        if (bySeparator && current.Count == 1 && current.Line != lastClosedLine &&
            words[current.First].Kind == TVbWordKind::Word && !words[current.First].Reserved)
            current.Label = true;
        out.push_back(current);
        lastClosedLine = current.Line;
        open = false;
    };
    const auto count = static_cast<std::uint32_t>(words.size());
    for (std::uint32_t k = 0; k < count; ++k) {
        const TVbWord& w = words[k];
        if (w.Kind == TVbWordKind::Comment) {
            close(false);
            continue;
        }
        if (w.Kind == TVbWordKind::Directive) {
            close(false);
            syntax.Directives.push_back({w.Line, w.Text});
            const std::string_view d = DirectiveWord(w.Text);
            if (SameName(d, "If")) {
                blocks.push_back({++blockCount, 0});
            } else if ((SameName(d, "ElseIf") || SameName(d, "Else")) && !blocks.empty()) {
                ++blocks.back().Arm;
            } else if (SameName(d, "End") && !blocks.empty()) {
                blocks.pop_back();
            }
            continue;
        }
        if (w.Kind == TVbWordKind::Separator) {
            close(true);
            continue;
        }
        if (open && w.Line != current.Line) close(false);
        if (!open) {
            current = TVbStatement{k,
                                   0,
                                   w.Line,
                                   blocks.empty() ? 0 : blocks.back().Block,
                                   blocks.empty() ? 0 : blocks.back().Arm,
                                   false};
            open = true;
        }
        ++current.Count;
        // The words after it that go on the same statement, counted in one run.
        constexpr unsigned ends = 1u << static_cast<unsigned>(TVbWordKind::Comment) |
                                  1u << static_cast<unsigned>(TVbWordKind::Directive) |
                                  1u << static_cast<unsigned>(TVbWordKind::Separator);
        std::uint32_t next = k + 1;
        while (next < count && words[next].Line == current.Line &&
               !(ends >> static_cast<unsigned>(words[next].Kind) & 1u))
            ++next;
        current.Count += next - k - 1;
        k = next - 1;
    }
    close(false);
}
