#include "checkers/VBUnusedArguments.h"

#include "checkers/RuleSupport.h"
#include "platform/CodePage.h"

namespace {
// The token before the given one in the source's token list, or none.
const TVbToken* TokenBefore(const TVbSource& source, const TVbToken* token) {
    const int index = source.Tokens.IndexOf(token);
    return index <= 0 ? nullptr : source.Tokens.Get(index - 1);
}
} // namespace

void TVBUnusedArguments::WalkProcedure(const TVbSource& source, TWalkedProcedure& procedure) {
    const TVbMethod& method = procedure.Method;
    if (method.Arguments.Count() == 0) return;
    // Event procedures (object name, "_", event name) must take the arguments VB gives them.
    // (In an ASCII name every "_" is one; otherwise a trail byte may look like one.)
    const std::string_view procedureName = method.NameToken->Text();
    if (platform::IsAscii(procedureName)
            ? procedureName.find('_') != std::string_view::npos
            : source.CodePage().FindFirstOf(procedureName, "_") != std::string_view::npos)
        return;

    TProcedureUses& uses = procedure.Uses();
    for (int a = 0; a < method.Arguments.Count(); ++a) {
        const TVbVariable& argument = *method.Arguments.Get(a);
        std::string_view name = argument.Name();
        if (IsExcepted(name)) continue;
        // Every identifier of the body that is a use (not after ".") marks the arguments of its
        // name.
        if (uses.ArgumentUsed(a)) continue;
        // A name after "." is the second part of a dotted type ("rs As ADODB.Recordset"), after
        // "As" a type taken for the name when the real name is a keyword ("Object As
        // ToolBar"): types, not arguments.
        const TVbToken* before = TokenBefore(source, argument.NameToken);
        if (before && ((before->Kind == tkSymbol && before->Text() == ".") ||
                       (before->Kind == tkKeyword && before->Text() == "As")))
            continue;
        // A use in text the tokenizer dropped ("Left$(s, 1)", "Print #1, s", "a: s = 1").
        if (uses.Dropped().Contains(name)) continue;
        Name_.clear();
        platform::AppendMarkedSourceText(Name_, name, source.CodePage());
        Defer(TText::UnusedArgument, {{"name", Name_}}, argument.Line());
    }
}

bool TVBUnusedArguments::IsExcepted(std::string_view name) const {
    for (const std::string& entry : ExceptionList)
        if (platform::SameTextAscii(entry, name)) return true;
    return false;
}

bool TVBUnusedArguments::IsTarget(const TVtParts& part) const { return IsMemberSource(part); }

void TVBUnusedArguments::Settings(TSettingsVisitor& visitor) {
    visitor.Texts({"ExceptionList", "例外とする引数名"}, ExceptionList);
    visitor.Flag({"ExceptEventProcedure", "イベントプロシージャはチェックしない"},
                 ExceptEventProcedure);
}
