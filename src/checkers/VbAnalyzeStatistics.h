// Comment statistics: total, code, blank and comment lines of each source file.
#pragma once

#include "checkers/DescribedRule.h"

class TVbAnalyzeStatistics : public TDescribedRule {
public:
    void Check(TVtParts& part) override;
    bool IsTarget(const TVtParts& part) const override;
};
