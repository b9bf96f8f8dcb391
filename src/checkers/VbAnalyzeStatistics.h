// Comment statistics: total, code, blank and comment lines of each source file.
#pragma once

#include "checkers/RuleTable.h"

class TVbAnalyzeStatistics : public TDescribedRule {
public:
    std::string_view ClassName() const override { return "TVbAnalyzeStatistics"; }
    void Check(TVtParts& part) override;
    bool IsTarget(const TVtParts& part) const override;
};
