// Unused local variables: a name declared with Dim in a procedure and never mentioned again.
#pragma once

#include "checkers/RuleTable.h"

class TVBUnusedLocalVariables : public TDescribedRule {
public:
    std::string_view ClassName() const override { return "TVBUnusedLocalVariables"; }
    void Check(TVtParts& part) override;
    bool IsTarget(const TVtParts& part) const override;
};
