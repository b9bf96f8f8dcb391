#include "checkers/VbLimitLengthOfLine.h"

#include "checkers/RuleSupport.h"

namespace {
// The first token of a line that the IDE writes and hides: a header attribute line, or the word
// "Attribute" (as the IDE writes it) before a procedure's or variable's attribute.
bool IsAttributeLine(const TVbToken& first) {
    return first.Kind == tkAttribute ||
           ((first.Kind == tkKeyword || first.Kind == tkIdentifier) && first.Text() == "Attribute");
}
} // namespace

void TVbLimitLengthOfLine::Check(TVtParts& part) {
    auto& source = dynamic_cast<TVbSource&>(part);
    const TSourceList& raw = source.RawLines;
    const TVbTokenList& tokens = source.Tokens;
    if (raw.Count() == 0) return;

    // The header VB writes (VERSION, designer block, Attribute lines) is not judged: start at
    // the physical line of the first token after it, or at the last line when all is header.
    int first = raw.Count() - 1;
    for (int i = 0; i < tokens.Count(); ++i) {
        const TVbToken* token = tokens.Get(i);
        if (token->Scope == scHeader) continue;
        int index = token->Line - 1; // raw lines are numbered 1..n
        if (index >= 0 && index < raw.Count() && raw.LineNumber(index) == token->Line)
            first = index;
        break;
    }

    const std::string limit = std::to_string(MaxLength);
    // Tokens come in line order: k walks them beside the lines, to the first token of each.
    int k = 0;
    for (int j = first; j < raw.Count(); ++j) {
        const std::int32_t number = raw.LineNumber(j);
        while (k < tokens.Count() && tokens.Get(k)->Line < number)
            ++k;
        // Bytes of the line as stored: a double-byte character counts 2, a tab 1.
        if (static_cast<std::int64_t>(raw.Text(j).size()) <= MaxLength) continue;
        // An Attribute line inside the code ("Attribute Step.VB_Description = ...") is the IDE's:
        // its editor never shows it, so no one can shorten it there.
        if (k < tokens.Count() && tokens.Get(k)->Line == number && IsAttributeLine(*tokens.Get(k)))
            continue;
        ReportAt(TText::LineTooLong, {{"limit", limit}}, number);
    }
}

bool TVbLimitLengthOfLine::IsTarget(const TVtParts& part) const { return IsMemberSource(part); }

void TVbLimitLengthOfLine::Settings(TSettingsVisitor& visitor) {
    // A limit below one character would report every line that is not empty.
    visitor.Integer({"MaxLength", "一行の長さの上限 (バイト)", 1}, MaxLength);
}
