// Implicit Public declaration prohibited: a procedure whose declaration line names no scope.
#pragma once

#include "checkers/MemberWalk.h"

class TVbProhibitImplicitPublicDeclaration : public TWalkedRule {
public:
    // When true, a procedure named exactly "Main" (the start-up procedure) is never reported.
    bool ExceptSubMain = true;

    void Settings(TSettingsVisitor& visitor) override;
    bool IsTarget(const TVtParts& part) const override;
    unsigned Needs() const override { return wnProcedures; }
    void BeginWalk(const TVbSource&) override {}
    void WalkProcedure(const TVbSource& source, TWalkedProcedure& procedure) override;
};
