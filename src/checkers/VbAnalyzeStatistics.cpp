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
    TVbStaticticsInfo s;
    s.TotalLines = source.RawLines.Count();
    int i = 0;
    for (int j = 0; j < source.LogicalLines.Count(); ++j) {
        const std::int32_t line = j + 1;
        // Every line after the last token is blank.
        if (i >= tokens.Count()) {
            ++s.BlankLines;
            continue;
        }
        // Each header token is one whole line of the header, which counts in no category.
        if (tokens.Get(i)->Scope == scHeader) {
            ++i;
            continue;
        }
        // A line without tokens is blank when it holds nothing visible; otherwise (a
        // continuation line, a line of dropped text) it counts in no category.
        if (tokens.Get(i)->Line > line && j < source.RawLines.Count() &&
            IsBlankLine(source.RawLines.Text(j))) {
            ++s.BlankLines;
            continue;
        }
        bool hasComment = false;
        bool hasCode = false;
        for (; i < tokens.Count() && tokens.Get(i)->Line == line; ++i) {
            if (tokens.Get(i)->Kind == tkComment)
                hasComment = true;
            else
                hasCode = true;
        }
        if (hasComment) ++s.CommentLines;
        if (hasCode) ++s.CodeLines;
    }
    source.Statistics = s;
    source.StatisticsDone = true;
}

bool TVbAnalyzeStatistics::IsTarget(const TVtParts& part) const { return IsMemberSource(part); }
