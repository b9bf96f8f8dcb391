#include "checkers/VbEmptyProcedures.h"

#include "platform/CodePage.h"

#include <algorithm>

void TVbEmptyProcedures::CheckSyntax(const TVbSource&, const TVbSyntax& syntax) {
    // A class whose procedures are all empty defines an interface for Implements.
    if (syntax.Kind == TVbMemberKind::Class && !syntax.Procedures.empty() &&
        std::all_of(syntax.Procedures.begin(), syntax.Procedures.end(),
                    [](const TVbProcedure& p) { return p.Statements == 0; }))
        return;
    for (const TVbProcedure& p : syntax.Procedures) {
        if (p.Twin || p.Statements > 0 || syntax.IsEventOrInterfaceProcedure(p)) continue;
        // A body with labels only is empty too; one cut off by the end of the file is not judged.
        if (p.EndStatement >= static_cast<std::int32_t>(syntax.Statements.size())) continue;
        ReportAt(TText::EmptyProcedure, {{"name", p.Name}}, p.Line);
    }
}
