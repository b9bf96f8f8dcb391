#include "checkers/VbOnErrorResumeNextNotReset.h"

#include "platform/CodePage.h"

void TVbOnErrorResumeNextNotReset::CheckSyntax(const TVbSource&, const TVbSyntax& syntax) {
    static const std::string open = platform::Utf8ToCp932("プロシージャ ");
    static const std::string close = platform::Utf8ToCp932(
        " の On Error Resume Next が以降の On Error GoTo で解除されていません。");
    const std::vector<TVbErrorHandling>& all = syntax.ErrorHandling;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (!all[i].ResumeNext) continue;
        bool reset = false;
        for (std::size_t k = i + 1; k < all.size() && all[k].Procedure == all[i].Procedure; ++k)
            if (!all[k].ResumeNext) reset = true;
        if (reset) continue;
        const TVbProcedure& p = syntax.Procedures[static_cast<std::size_t>(all[i].Procedure)];
        ReportAt(open + std::string(p.Name) + close, all[i].Line);
    }
}
