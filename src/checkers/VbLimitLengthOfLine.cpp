#include "checkers/VbLimitLengthOfLine.h"

#include "checkers/RuleSupport.h"

#include <algorithm>

namespace {
// The first token of a line that the IDE writes and hides: a header attribute line, or the word
// "Attribute" (as the IDE writes it) before a procedure's or variable's attribute.
bool IsAttributeLine(const TVbToken& first) {
    return first.Kind == tkAttribute ||
           ((first.Kind == tkKeyword || first.Kind == tkIdentifier) && first.Text() == "Attribute");
}
} // namespace

void TVbLimitLengthOfLine::BeginWalk(const TVbSource& source) {
    const TSourceList& raw = source.RawLines;
    const TVbTokenList& tokens = source.Tokens;
    // The header VB writes (VERSION, designer block, Attribute lines) is not judged: start at
    // the physical line of the first token after it, or at the last line when all is header.
    First_ = raw.Count() - 1;
    for (int i = 0; i < tokens.Count(); ++i) {
        const TVbToken* token = tokens.Get(i);
        if (token->Scope == scHeader) continue;
        const std::int32_t line = tokens.LineOf(i);
        int index = line - 1; // raw lines are numbered 1..n
        if (index >= 0 && index < raw.Count() && raw.LineNumber(index) == line) First_ = index;
        break;
    }
    Token_ = 0;
    TooLong_.clear();
    Limit_ = std::to_string(MaxLength);
}

void TVbLimitLengthOfLine::WalkLines(const TVbSource& source, std::span<const TWalkLine> lines) {
    const TSourceList& raw = source.RawLines;
    const TVbTokenList& tokens = source.Tokens;
    for (const TWalkLine& line : lines) {
        const int j = line.Index;
        if (j < First_ || j >= raw.Count()) continue;
        // Bytes of the line as stored: a double-byte character counts 2, a tab 1.
        if (static_cast<std::int64_t>(raw.Length(j)) <= MaxLength) continue;
        const std::int32_t number = raw.LineNumber(j);
        // The first token on or after the line: tokens come in line order, so it is the first
        // token the walk hands with the line when the line has the walk's number.
        if (number == line.Number && line.FirstToken >= Token_)
            Token_ = line.FirstToken;
        else
            Token_ = std::max(Token_, tokens.FirstOnLine(number));
        // An Attribute line inside the code ("Attribute Step.VB_Description = ...") is the IDE's:
        // its editor never shows it, so no one can shorten it there.
        if (Token_ < tokens.FirstOnLine(number + 1) && IsAttributeLine(*tokens.Get(Token_)))
            continue;
        TooLong_.push_back(number);
    }
}

void TVbLimitLengthOfLine::EndWalk(TVbSource&) {
    for (std::int32_t number : TooLong_)
        ReportAt(TText::LineTooLong, {{"limit", Limit_}}, number);
    TooLong_ = {};
}

void TVbLimitLengthOfLine::Settings(TSettingsVisitor& visitor) {
    // A limit below one character would report every line that is not empty.
    visitor.Integer({"MaxLength", "一行の長さの上限 (バイト)", 1}, MaxLength);
}
