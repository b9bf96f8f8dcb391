#include "checkers/VbProhibitImplicitByRef.h"

#include "platform/CodePage.h"

void TVbProhibitImplicitByRef::CheckSyntax(const TVbSource&, const TVbSyntax& syntax) {
    for (const TVbProcedure& p : syntax.Procedures) {
        if (p.Twin || syntax.IsEventOrInterfaceProcedure(p)) continue;
        for (std::int32_t k = 0; k < p.ParameterCount; ++k) {
            const TVbParameter& a = syntax.ParametersOf(p)[k];
            // A ParamArray takes neither word.
            if (!a.ByVal && !a.ByRef && !a.ParamArray)
                ReportAt(TText::ImplicitByRef, {{"name", a.Name}}, a.Line);
        }
    }
}
