// Comment statistics: total, code, blank and comment lines of each source file.
#pragma once

#include "checkers/MemberWalk.h"

class TVbAnalyzeStatistics : public TMemberLineRule {
public:
    void BeginWalk(const TVbSource& source) override;
    void WalkLines(const TVbSource& source, std::span<const TWalkLine> lines) override;

protected:
    void EndWalk(TVbSource& source) override;

private:
    TVbStaticticsInfo Counts_;
    int Next_ = 0;       // the first token not yet counted
    bool Ended_ = false; // every line left is blank and counted
};
