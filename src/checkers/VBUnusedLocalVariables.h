// Unused local variables: a name declared with Dim in a procedure and never mentioned again.
#pragma once

#include "checkers/MemberWalk.h"

#include <string>

class TVBUnusedLocalVariables : public TWalkedRule {
public:
    bool IsTarget(const TVtParts& part) const override;
    unsigned Needs() const override { return wnProcedures; }
    void BeginWalk(const TVbSource&) override {}
    void WalkProcedure(const TVbSource& source, TWalkedProcedure& procedure) override;

private:
    std::string Name_; // kept from finding to finding for its room
};
