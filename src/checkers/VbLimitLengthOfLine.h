// Line length limit: every code line longer than the limit, in bytes of the stored line.
#pragma once

#include "checkers/MemberWalk.h"

#include <string>
#include <vector>

class TVbLimitLengthOfLine : public TMemberLineRule {
public:
    // The largest allowed line length in bytes; a longer line is reported.
    std::int32_t MaxLength = 80;

    void Settings(TSettingsVisitor& visitor) override;
    void BeginWalk(const TVbSource& source) override;
    void WalkLines(const TVbSource& source, std::span<const TWalkLine> lines) override;

protected:
    void EndWalk(TVbSource& source) override;

private:
    int First_ = 0;                     // the first raw line judged
    int Token_ = 0;                     // the first token on or after the last long line
    std::string Limit_;                 // the limit the walk began with, as the message shows it
    std::vector<std::int32_t> TooLong_; // the lines to report
};
