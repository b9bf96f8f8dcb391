#include "checkers/VbProhibitImplicitPublicDeclaration.h"

#include "checkers/RuleSupport.h"
#include "platform/CodePage.h"

namespace {
// Bisection probes before the line search gives up.
constexpr int MaxProbes = 101;
} // namespace

void TVbProhibitImplicitPublicDeclaration::WalkProcedure(const TVbSource& source,
                                                         TWalkedProcedure& procedure) {
    const TVbTokenList& tokens = source.Tokens;
    if (tokens.Count() == 0) return;
    const TVbToken* name = procedure.Method.NameToken;
    // Only procedures the tokenizer read in Public scope can be public by default.
    if (name->Scope != scPublic) return;
    // The start-up procedure has no caller in the project to hide it from.
    if (ExceptSubMain && name->Text() == "Main") return;

    // The first token of the declaration line: bisect the token list by line. mid is never
    // excluded, so a line holding only the last token is not hit; the probes are capped.
    const std::int32_t line = procedure.Method.Line;
    // The tokens of the line are those from lineStart to lineEnd - 1.
    const int lineStart = tokens.FirstOnLine(line);
    const int lineEnd = tokens.FirstOnLine(line + 1);
    int lo = 0;
    int hi = tokens.Count() - 1;
    int mid = (lo + hi) / 2;
    bool hit = false;
    for (int probe = 0; probe < MaxProbes; ++probe) {
        if (mid >= lineStart && mid < lineEnd) {
            hit = true;
            break;
        }
        if (mid < lineStart)
            lo = mid;
        else
            hi = mid;
        mid = (lo + hi) / 2;
    }
    if (!hit)
        DeferLog(
            Say(TText::LogImplicitPublicSearchFailed,
                {{"file", platform::MarkPath(source.FileName)}, {"line", std::to_string(line)}}));
    // The first token of the line found (or of the line where the search gave up).
    mid = hit ? lineStart : tokens.FirstOnLine(tokens.LineOf(mid));

    std::string_view first = tokens.Get(mid)->Text();
    if (first == "Public" || first == "Private" || first == "Friend") return;
    Defer(TText::ImplicitPublic,
          {{"name", platform::MarkSourceText(name->Text(), source.CodePage())}}, line);
}

bool TVbProhibitImplicitPublicDeclaration::IsTarget(const TVtParts& part) const {
    return IsMemberSource(part);
}

void TVbProhibitImplicitPublicDeclaration::Settings(TSettingsVisitor& visitor) {
    visitor.Flag({"ExceptSubMain", "Sub Mainはチェックしない"}, ExceptSubMain);
}
