// Implicit Public declaration prohibited: a procedure whose declaration line names no scope.
#pragma once

#include "checkers/DescribedRule.h"

class TVbProhibitImplicitPublicDeclaration : public TDescribedRule {
public:
    // When true, a procedure named exactly "Main" (the start-up procedure) is never reported.
    bool ExceptSubMain = true;

    void Check(TVtParts& part) override;
    void Settings(TSettingsVisitor& visitor) override;
    bool IsTarget(const TVtParts& part) const override;
};
