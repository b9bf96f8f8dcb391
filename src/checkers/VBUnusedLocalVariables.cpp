#include "checkers/VBUnusedLocalVariables.h"

#include "checkers/CheckerTexts.h"
#include "checkers/RuleSupport.h"
#include "platform/CodePage.h"

void TVBUnusedLocalVariables::WalkProcedure(const TVbSource& source, const TVbMethod& method) {
    const TCheckerTexts& t = CheckerTexts();
    // The names of Declared_, entry for entry. A name may be declared more than once in a
    // procedure (once in each branch of "#If ... #Else", whose lines the tokenizer drops): a use
    // counts for all.
    std::vector<TDeclaredLocal>& declared = Declared_;
    TNameIndex& byName = ByName_;
    const TVbTokenList& body = method.Tokens;
    const int count = body.Count();
    declared.clear();
    byName.Clear();
    // A declaration list ("Dim a As Long, b(1 To 2), c") declares a name after each "," at its
    // own depth; the statement ends with its line (a ":" drops the rest of a line).
    bool inList = false;
    std::int32_t listLine = 0;
    int depth = 0;
    // The first body token is never examined: it has no token before it in the body.
    const TVbToken* next = count > 0 ? body.Get(0) : nullptr;
    for (int j = 1; j < count; ++j) {
        const TVbToken* before = next;
        const TVbToken* token = next = body.Get(j);
        if (inList && token->Line != listLine) inList = false;
        if (token->Kind == tkSymbol && inList) {
            const std::string_view symbol = token->Text();
            if (symbol == "(") ++depth;
            if (symbol == ")") --depth;
            continue;
        }
        if (token->Kind != tkIdentifier) continue;
        const std::string_view beforeText = before->Text();
        const std::string_view text = token->Text();
        // "Static" declares locals as "Dim" does.
        const bool firstName = beforeText == "Dim" || beforeText == "Static";
        if (firstName || (inList && depth == 0 && before->Kind == tkSymbol && beforeText == ",")) {
            declared.push_back({token, false});
            byName.Add(text);
            if (firstName) {
                inList = true;
                listLine = token->Line;
                depth = 0;
            }
            continue;
        }
        // A name after "." is a member name, not a use of the local.
        if (beforeText == ".") continue;
        // A use marks every local of that name declared so far.
        byName.ForEachEntry(text, [&](std::size_t k) { declared[k].Used = true; });
    }
    TDroppedWords dropped(source, method);
    for (const TDeclaredLocal& local : declared) {
        if (local.Used) continue;
        // A use in text the tokenizer dropped ("Left$(n, 1)", "Print #1, n", "a: n = 1").
        if (dropped.Contains(local.NameToken->Text())) continue;
        Message_.assign(t.UnusedLocalOpen);
        platform::AppendMarkedSourceText(Message_, local.NameToken->Text(), source.CodePage());
        Message_ += t.UnusedClose;
        Defer(Message_, local.NameToken->Line);
    }
}

bool TVBUnusedLocalVariables::IsTarget(const TVtParts& part) const { return IsMemberSource(part); }
