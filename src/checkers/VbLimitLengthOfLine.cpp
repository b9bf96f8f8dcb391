#include "checkers/VbLimitLengthOfLine.h"

#include "checkers/CheckerTexts.h"
#include "checkers/RuleSupport.h"

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

    const TCheckerTexts& t = CheckerTexts();
    const std::string message = t.LineTooLongOpen + std::to_string(MaxLength) + t.LineTooLongClose;
    for (int j = first; j < raw.Count(); ++j) {
        // Bytes of the line as stored: a double-byte character counts 2, a tab 1.
        if (static_cast<std::int64_t>(raw.Text(j).size()) > MaxLength)
            ReportAt(message, raw.LineNumber(j));
    }
}

bool TVbLimitLengthOfLine::IsTarget(const TVtParts& part) const { return IsMemberSource(part); }

void TVbLimitLengthOfLine::Settings(TSettingsVisitor& visitor) {
    // A limit below one character would report every line that is not empty.
    visitor.Integer({"MaxLength", "一行の長さの上限 (バイト)", 1}, MaxLength);
}
