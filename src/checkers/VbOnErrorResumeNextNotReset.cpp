#include "checkers/VbOnErrorResumeNextNotReset.h"

#include "platform/CodePage.h"

void TVbOnErrorResumeNextNotReset::CheckSyntax(const TVbSource&, const TVbSyntax& syntax) {
    const std::vector<TVbErrorHandling>& all = syntax.ErrorHandling;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (!all[i].ResumeNext) continue;
        bool reset = false;
        for (std::size_t k = i + 1; k < all.size() && all[k].Procedure == all[i].Procedure; ++k)
            if (!all[k].ResumeNext) reset = true;
        if (reset) continue;
        const TVbProcedure& p = syntax.Procedures[static_cast<std::size_t>(all[i].Procedure)];
        ReportAt(TText::ResumeNextNotReset, {{"name", p.Name}}, all[i].Line);
    }
}
