#include "checkers/VBUnusedLocalVariables.h"

#include "checkers/CheckerTexts.h"
#include "checkers/RuleSupport.h"
#include "platform/CodePage.h"

#include <unordered_map>
#include <vector>

namespace {
constexpr std::size_t MaxDirect = 16;

struct TDeclaredLocal {
    const TVbToken* NameToken;
    bool Used;
};
} // namespace

void TVBUnusedLocalVariables::Check(TVtParts& part) {
    auto& source = dynamic_cast<TVbSource&>(part);
    const TCheckerTexts& t = CheckerTexts();
    std::vector<TDeclaredLocal> declared;
    // Name -> its entries in declared. A name may be declared more than once in a procedure (once
    // in each branch of "#If ... #Else", whose lines the tokenizer drops): a use counts for all.
    std::unordered_map<std::string_view, std::vector<std::size_t>> byName;
    for (int m = 0; m < source.Methods.Count(); ++m) {
        const TVbMethod& method = *source.Methods.Get(m);
        const TVbTokenList& body = method.Tokens;
        declared.clear();
        byName.clear();
        // The first body token is never examined: it has no token before it in the body.
        for (int j = 1; j < body.Count(); ++j) {
            const TVbToken* token = body.Get(j);
            if (token->Kind != tkIdentifier) continue;
            std::string_view before = body.Get(j - 1)->Text();
            if (before == "Dim") {
                // Only the first name of a Dim statement is tracked.
                declared.push_back({token, false});
                // Procedures declare few locals: they are searched directly, and only a
                // procedure with very many of them indexes them by name.
                if (declared.size() > MaxDirect) {
                    if (byName.empty())
                        for (std::size_t k = 0; k < declared.size(); ++k)
                            byName[declared[k].NameToken->Text()].push_back(k);
                    else
                        byName[token->Text()].push_back(declared.size() - 1);
                }
                continue;
            }
            // A name after "." is a member name, not a use of the local.
            if (before == ".") continue;
            const std::string_view text = token->Text();
            if (declared.size() <= MaxDirect) {
                // A use marks every local of that name declared so far.
                for (TDeclaredLocal& local : declared)
                    if (local.NameToken->Text() == text) local.Used = true;
                continue;
            }
            auto found = byName.find(text);
            if (found != byName.end())
                for (std::size_t k : found->second)
                    declared[k].Used = true;
        }
        TDroppedWords dropped(source, method);
        for (const TDeclaredLocal& local : declared) {
            if (local.Used) continue;
            // A use in text the tokenizer dropped ("Left$(n, 1)", "Print #1, n", "a: n = 1").
            if (dropped.Contains(local.NameToken->Text())) continue;
            ReportAt(t.UnusedLocalOpen + platform::MarkSourceText(local.NameToken->Text()) +
                         t.UnusedClose,
                     local.NameToken->Line);
        }
    }
}

bool TVBUnusedLocalVariables::IsTarget(const TVtParts& part) const { return IsMemberSource(part); }
