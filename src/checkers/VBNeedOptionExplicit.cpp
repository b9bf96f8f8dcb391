#include "checkers/VBNeedOptionExplicit.h"

#include "checkers/RuleSupport.h"

void TVBNeedOptionExplicit::BeginWalk(const TVbSource&) {
    Before_ = nullptr;
    Found_ = false;
}

void TVBNeedOptionExplicit::WalkLines(const TVbSource& source, std::span<const TWalkLine> lines) {
    if (Found_ || lines.empty()) return;
    // The two keywords side by side, anywhere in the file (also across a line end); comments and
    // strings are single tokens of their own kinds and never count. The lines' tokens stand one
    // after the other.
    const int from = lines.front().FirstToken;
    const int to = lines.back().FirstToken + lines.back().TokenCount;
    const TVbToken* tokens = source.Tokens.Consecutive();
    for (int i = from; i < to; ++i) {
        const TVbToken* token = tokens + i;
        const TVbToken* a = Before_;
        Before_ = token;
        if (a && a->Kind == tkKeyword && a->Text() == "Option" && token->Kind == tkKeyword &&
            token->Text() == "Explicit") {
            Found_ = true;
            return;
        }
    }
}

void TVBNeedOptionExplicit::EndWalk(TVbSource&) {
    if (!Found_) Report(TText::NoOptionExplicit);
}
