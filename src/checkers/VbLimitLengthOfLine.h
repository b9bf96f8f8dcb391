// Line length limit: every code line longer than the limit, in bytes of the stored line.
#pragma once

#include "checkers/MemberWalk.h"

#include <string>
#include <vector>

class TVbLimitLengthOfLine : public TWalkedRule {
public:
    // The largest allowed line length in bytes; a longer line is reported.
    std::int32_t MaxLength = 80;

    void Settings(TSettingsVisitor& visitor) override;
    bool IsTarget(const TVtParts& part) const override;
    unsigned Needs() const override { return wnLines; }
    void BeginWalk(const TVbSource& source) override;
    void WalkLine(const TVbSource& source, const TWalkLine& line) override;

protected:
    void EndWalk(TVbSource& source) override;

private:
    int First_ = 0; // the first raw line judged
    int Token_ = 0; // the first token on or after the line at hand
    std::string Message_;
    std::vector<std::int32_t> TooLong_; // the lines to report, all with Message_
};
