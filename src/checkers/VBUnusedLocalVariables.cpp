#include "checkers/VBUnusedLocalVariables.h"

#include "checkers/RuleSupport.h"
#include "platform/CodePage.h"

void TVBUnusedLocalVariables::WalkProcedure(const TVbSource& source, TWalkedProcedure& procedure) {
    TProcedureUses& uses = procedure.Uses();
    for (const TProcedureUses::TLocal& local : uses.Locals()) {
        if (local.Used) continue;
        // A use in text the tokenizer dropped ("Left$(n, 1)", "Print #1, n", "a: n = 1").
        if (uses.Dropped().Contains(local.NameToken->Text())) continue;
        Name_.clear();
        platform::AppendMarkedSourceText(Name_, local.NameToken->Text(), source.CodePage());
        Defer(TText::UnusedLocalVariable, {{"name", Name_}}, local.Line);
    }
}

bool TVBUnusedLocalVariables::IsTarget(const TVtParts& part) const { return IsMemberSource(part); }
