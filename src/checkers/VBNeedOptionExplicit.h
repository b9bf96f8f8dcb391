// Option Explicit required: every source file must hold the statement "Option Explicit".
#pragma once

#include "checkers/DescribedRule.h"

class TVBNeedOptionExplicit : public TDescribedRule {
public:
    void Check(TVtParts& part) override;
    bool IsTarget(const TVtParts& part) const override;
};
