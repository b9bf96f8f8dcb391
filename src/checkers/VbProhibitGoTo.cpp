#include "checkers/VbProhibitGoTo.h"

#include "platform/CodePage.h"

void TVbProhibitGoTo::CheckSyntax(const TVbSource&, const TVbSyntax& syntax) {
    for (const TVbJump& j : syntax.Jumps)
        ReportAt(SameName(j.Word, "GoSub") ? TText::GoSubProhibited : TText::GoToProhibited, {},
                 j.Line);
}
