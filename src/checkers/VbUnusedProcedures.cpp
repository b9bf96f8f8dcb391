#include "checkers/VbUnusedProcedures.h"

#include "platform/CodePage.h"

void TVbUnusedProcedures::ReportMember(const TVbMemberSymbols& member) {
    for (const TVbSymbol& s : member.Symbols)
        if (s.Unused && s.Kind == TVbSymbolKind::Procedure)
            ReportAt(TText::UnusedProcedure, {{"name", s.Name}}, s.Line);
}
