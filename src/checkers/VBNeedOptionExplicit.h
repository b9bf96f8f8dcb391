// Option Explicit required: every source file must hold the statement "Option Explicit".
#pragma once

#include "checkers/RuleTable.h"

class TVBNeedOptionExplicit : public TDescribedRule {
public:
    std::string_view ClassName() const override { return "TVBNeedOptionExplicit"; }
    void Check(TVtParts& part) override;
    bool IsTarget(const TVtParts& part) const override;
};
