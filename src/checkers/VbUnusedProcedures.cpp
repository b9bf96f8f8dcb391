#include "checkers/VbUnusedProcedures.h"

#include "platform/CodePage.h"

void TVbUnusedProcedures::ReportMember(const TVbMemberSymbols& member) {
    static const std::string open = platform::Utf8ToCp932("プロシージャ ");
    static const std::string close = platform::Utf8ToCp932(" は未使用です。");
    for (const TVbSymbol& s : member.Symbols)
        if (s.Unused && s.Kind == TVbSymbolKind::Procedure) ReportAt(open + s.Name + close, s.Line);
}
