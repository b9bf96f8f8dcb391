// Line length limit: every code line longer than the limit, in bytes of the stored line.
#pragma once

#include "checkers/DescribedRule.h"

class TVbLimitLengthOfLine : public TDescribedRule {
public:
    // The largest allowed line length in bytes; a longer line is reported.
    std::int32_t MaxLength = 80;

    void Check(TVtParts& part) override;
    void Settings(TSettingsVisitor& visitor) override;
    bool IsTarget(const TVtParts& part) const override;
};
