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
void TVbAnalyzeStatistics::WalkLine(const TVbSource& source, const TWalkLine& walked) {
    const int lineCount = source.LogicalLines.Count();
    const int j = walked.Index;
    if (Ended_ || j >= lineCount) return;
    const TVbTokenList& tokens = source.Tokens;
    const int tokenCount = tokens.Count();
    const std::int32_t line = j + 1;
    // Every line after the last token is blank.
    if (Next_ >= tokenCount) {
        Counts_.BlankLines += lineCount - j;
        Ended_ = true;
        return;
    }
    const TVbToken* token = tokens.Get(Next_);
    // Each header token is one whole line of the header, which counts in no category.
    if (token->Scope == scHeader) {
        ++Next_;
        return;
    }
    // A line without tokens is blank when it holds nothing visible; otherwise (a continuation
    // line, a line of dropped text) it counts in no category.
    if (token->Line > line) {
        if (j < source.RawLines.Count() && IsBlankLine(source.RawLines.Text(j)))
            ++Counts_.BlankLines;
        return;
    }
    bool hasComment = false;
    bool hasCode = false;
    if (Next_ == walked.FirstToken && walked.TokenCount > 0 && token->Line == line &&
        token[walked.TokenCount - 1].Line == line) {
        // The line's tokens as the walk hands them: every one of them is on this line.
        for (int i = 0; i < walked.TokenCount; ++i)
            (token[i].Kind == tkComment ? hasComment : hasCode) = true;
        Next_ += walked.TokenCount;
        if (hasComment) ++Counts_.CommentLines;
        if (hasCode) ++Counts_.CodeLines;
        return;
    }
    while (token->Line == line) {
        if (token->Kind == tkComment)
            hasComment = true;
        else
            hasCode = true;
        if (++Next_ >= tokenCount) break;
        ++token;
    }
    if (hasComment) ++Counts_.CommentLines;
    if (hasCode) ++Counts_.CodeLines;
}

void TVbAnalyzeStatistics::EndWalk(TVbSource& source) {
    source.Statistics = Counts_;
    source.StatisticsDone = true;
}

bool TVbAnalyzeStatistics::IsTarget(const TVtParts& part) const { return IsMemberSource(part); }
