// Unused local variables: a name declared with Dim in a procedure and never mentioned again.
#pragma once

#include "checkers/DescribedRule.h"

class TVBUnusedLocalVariables : public TDescribedRule {
public:
    void Check(TVtParts& part) override;
    bool IsTarget(const TVtParts& part) const override;
};
