#include "checkers/VbAnalyzeStatistics.h"

#include "checkers/CheckerTexts.h"
#include "checkers/RuleSupport.h"

namespace {
// True when nothing but spaces and control characters (0x00 to 0x1F and DEL) is left once both
// ends are trimmed.
bool IsBlankLine(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) > ' ' && c != 0x7F) return false;
    return true;
}
} // namespace

void TVbAnalyzeStatistics::Check(TVtParts& part) {
    auto& source = dynamic_cast<TVbSource&>(part);
    const TVbTokenList& tokens = source.Tokens;
    const int tokenCount = tokens.Count();
    const int lineCount = source.LogicalLines.Count();
    const int rawCount = source.RawLines.Count();
    TVbStaticticsInfo s;
    s.TotalLines = rawCount;
    // One walk over the lines and the tokens together: the token at i is the first one not yet
    // counted, and its line is never before the line at hand.
    int i = 0;
    const TVbToken* token = tokenCount > 0 ? tokens.Get(0) : nullptr;
    for (int j = 0; j < lineCount; ++j) {
        const std::int32_t line = j + 1;
        // Every line after the last token is blank.
        if (i >= tokenCount) {
            s.BlankLines += lineCount - j;
            break;
        }
        // Each header token is one whole line of the header, which counts in no category.
        if (token->Scope == scHeader) {
            if (++i < tokenCount) token = tokens.Get(i);
            continue;
        }
        // A line without tokens is blank when it holds nothing visible; otherwise (a
        // continuation line, a line of dropped text) it counts in no category.
        if (token->Line > line) {
            if (j < rawCount && IsBlankLine(source.RawLines.Text(j))) ++s.BlankLines;
            continue;
        }
        bool hasComment = false;
        bool hasCode = false;
        while (token->Line == line) {
            if (token->Kind == tkComment)
                hasComment = true;
            else
                hasCode = true;
            if (++i >= tokenCount) break;
            token = tokens.Get(i);
        }
        if (hasComment) ++s.CommentLines;
        if (hasCode) ++s.CodeLines;
    }
    source.Statistics = s;
    source.StatisticsDone = true;
}

bool TVbAnalyzeStatistics::IsTarget(const TVtParts& part) const { return IsMemberSource(part); }
