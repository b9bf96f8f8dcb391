#include "checkers/VBNeedOptionExplicit.h"

#include "checkers/CheckerTexts.h"
#include "checkers/RuleSupport.h"

void TVBNeedOptionExplicit::BeginWalk(const TVbSource&) {
    Before_ = nullptr;
    Found_ = false;
}

void TVBNeedOptionExplicit::WalkLine(const TVbSource& source, const TWalkLine& line) {
    if (Found_ || line.TokenCount == 0) return;
    // The two keywords side by side, anywhere in the file (also across a line end); comments and
    // strings are single tokens of their own kinds and never count.
    const TVbToken* token = source.Tokens.Get(line.FirstToken);
    for (int i = 0; i < line.TokenCount; ++i, ++token) {
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
    if (!Found_) Report(CheckerTexts().NoOptionExplicit);
}

bool TVBNeedOptionExplicit::IsTarget(const TVtParts& part) const { return IsMemberSource(part); }
