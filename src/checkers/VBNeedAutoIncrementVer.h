// Version auto-increment required: the project's AutoIncrementVer must be on (or, if so set, off).
#pragma once

#include "checkers/DescribedRule.h"

class TVBNeedAutoIncrementVer : public TDescribedRule {
public:
    // True: the project must have automatic increment on; false: it must have it off.
    bool Required = true;

    void Check(TVtParts& part) override;
    void Settings(TSettingsVisitor& visitor) override;
    bool IsTarget(const TVtParts& part) const override;
};
