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
    std::uint32_t Key;
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
    std::string message;
    for (int m = 0; m < source.Methods.Count(); ++m) {
        const TVbMethod& method = *source.Methods.Get(m);
        const TVbTokenList& body = method.Tokens;
        const int count = body.Count();
        declared.clear();
        byName.clear();
        // The first body token is never examined: it has no token before it in the body.
        const TVbToken* next = count > 0 ? body.Get(0) : nullptr;
        for (int j = 1; j < count; ++j) {
            const TVbToken* before = next;
            const TVbToken* token = next = body.Get(j);
            if (token->Kind != tkIdentifier) continue;
            const std::string_view beforeText = before->Text();
            const std::string_view text = token->Text();
            if (beforeText == "Dim") {
                // Only the first name of a Dim statement is tracked.
                declared.push_back({token, NameKey(text), false});
                // Procedures declare few locals: they are searched directly, and only a
                // procedure with very many of them indexes them by name.
                if (declared.size() > MaxDirect) {
                    if (byName.empty())
                        for (std::size_t k = 0; k < declared.size(); ++k)
                            byName[declared[k].NameToken->Text()].push_back(k);
                    else
                        byName[text].push_back(declared.size() - 1);
                }
                continue;
            }
            // A name after "." is a member name, not a use of the local.
            if (beforeText == ".") continue;
            if (declared.size() <= MaxDirect) {
                // A use marks every local of that name declared so far.
                const std::uint32_t key = NameKey(text);
                for (TDeclaredLocal& local : declared)
                    if (local.Key == key && local.NameToken->Text() == text) local.Used = true;
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
            message.assign(t.UnusedLocalOpen);
            platform::AppendMarkedSourceText(message, local.NameToken->Text());
            message += t.UnusedClose;
            ReportAt(message, local.NameToken->Line);
        }
    }
}

bool TVBUnusedLocalVariables::IsTarget(const TVtParts& part) const { return IsMemberSource(part); }
