#include "checkers/VbProhibitGoTo.h"

#include "platform/CodePage.h"

void TVbProhibitGoTo::CheckSyntax(const TVbSource&, const TVbSyntax& syntax) {
    static const std::string goTo = platform::Utf8ToCp932("GoTo は使用禁止です。");
    static const std::string goSub = platform::Utf8ToCp932("GoSub は使用禁止です。");
    for (const TVbJump& j : syntax.Jumps)
        ReportAt(SameName(j.Word, "GoSub") ? goSub : goTo, j.Line);
}
