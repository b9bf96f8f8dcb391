#include "checkers/VBNeedOptionExplicit.h"

#include "checkers/RuleSupport.h"

void TVBNeedOptionExplicit::Check(TVtParts& part) {
    const auto& tokens = dynamic_cast<TVbSource&>(part).Tokens;
    // The two keywords side by side, anywhere in the file; comments and strings are single
    // tokens of their own kinds and never count.
    for (int i = 0; i + 1 < tokens.Count(); ++i) {
        const TVbToken* a = tokens.Get(i);
        const TVbToken* b = tokens.Get(i + 1);
        if (a->Kind == tkKeyword && a->Text() == "Option" && b->Kind == tkKeyword &&
            b->Text() == "Explicit")
            return;
    }
    Report(TText::NoOptionExplicit);
}

bool TVBNeedOptionExplicit::IsTarget(const TVtParts& part) const { return IsMemberSource(part); }
