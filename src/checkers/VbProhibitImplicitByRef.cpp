#include "checkers/VbProhibitImplicitByRef.h"

#include "platform/CodePage.h"

void TVbProhibitImplicitByRef::CheckSyntax(const TVbSource&, const TVbSyntax& syntax) {
    static const std::string open = platform::Utf8ToCp932("引数 ");
    static const std::string close =
        platform::Utf8ToCp932(" に ByVal/ByRef が指定されていません(暗黙のByRef)。");
    for (const TVbProcedure& p : syntax.Procedures) {
        if (p.Twin || syntax.IsEventOrInterfaceProcedure(p)) continue;
        for (std::int32_t k = 0; k < p.ParameterCount; ++k) {
            const TVbParameter& a = syntax.ParametersOf(p)[k];
            // A ParamArray takes neither word.
            if (!a.ByVal && !a.ByRef && !a.ParamArray)
                ReportAt(open + std::string(a.Name) + close, a.Line);
        }
    }
}
