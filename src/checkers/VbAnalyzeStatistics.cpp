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

void TVbAnalyzeStatistics::BeginWalk(const TVbSource& source) {
    Counts_ = TVbStaticticsInfo();
    Counts_.TotalLines = source.RawLines.Count();
    Next_ = 0;
    Ended_ = false;
}

// The lines and the tokens are walked together: the token at Next_ is the first one not yet
// counted, and its line is never before the line at hand.
void TVbAnalyzeStatistics::WalkLines(const TVbSource& source, std::span<const TWalkLine> lines) {
    if (Ended_) return;
    const int lineCount = source.LogicalLines.Count();
    const int rawCount = source.RawLines.Count();
    const int tokenCount = source.Tokens.Count();
    const TVbToken* tokens = source.Tokens.Consecutive();
    // The counts are kept in locals over the run and stored after it.
    TVbStaticticsInfo counts = Counts_;
    int next = Next_;
    for (const TWalkLine& walked : lines) {
        const int j = walked.Index;
        if (j >= lineCount) continue;
        const std::int32_t line = j + 1;
        // Every line after the last token is blank.
        if (next >= tokenCount) {
            counts.BlankLines += lineCount - j;
            Ended_ = true;
            break;
        }
        const TVbToken* token = tokens + next;
        // Each header token is one whole line of the header, which counts in no category.
        if (token->Scope == scHeader) {
            ++next;
            continue;
        }
        // A line without tokens is blank when it holds nothing visible; otherwise (a continuation
        // line, a line of dropped text) it counts in no category.
        // The walk hands the line's tokens; the line that holds the last ones is asked for its end.
        const int walkedEnd = walked.FirstToken + walked.TokenCount;
        const int lineEnd =
            walkedEnd < tokenCount ? walkedEnd : source.Tokens.FirstOnLine(line + 1);
        if (next >= lineEnd) {
            if (j < rawCount && IsBlankLine(source.RawLines.Text(j))) ++counts.BlankLines;
            continue;
        }
        // Bit 1: a comment, bit 2: anything else. A token of an earlier line counts nowhere.
        unsigned seen = 0;
        const bool onLine = next >= (j > 0 ? walked.FirstToken : source.Tokens.FirstOnLine(line));
        if (onLine && next == walked.FirstToken && walked.TokenCount > 0 &&
            next + walked.TokenCount <= lineEnd) {
            // The line's tokens as the walk hands them: every one of them is on this line.
            seen =
                (walked.Comments > 0 ? 1u : 0u) | (walked.Comments < walked.TokenCount ? 2u : 0u);
            next += walked.TokenCount;
        } else if (onLine) {
            for (; next < lineEnd; ++next)
                seen |= tokens[next].Kind == tkComment ? 1u : 2u;
        }
        if (seen & 1u) ++counts.CommentLines;
        if (seen & 2u) ++counts.CodeLines;
    }
    Counts_ = counts;
    Next_ = next;
}

void TVbAnalyzeStatistics::EndWalk(TVbSource& source) {
    source.Statistics = Counts_;
    source.StatisticsDone = true;
}
