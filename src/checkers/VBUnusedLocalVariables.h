// Unused local variables: a name declared with Dim in a procedure and never mentioned again.
#pragma once

#include "checkers/MemberWalk.h"
#include "checkers/RuleSupport.h"

#include <string>
#include <vector>

class TVBUnusedLocalVariables : public TWalkedRule {
public:
    bool IsTarget(const TVtParts& part) const override;
    unsigned Needs() const override { return wnProcedures; }
    void BeginWalk(const TVbSource&) override {}
    void WalkProcedure(const TVbSource& source, const TVbMethod& method) override;

private:
    struct TDeclaredLocal {
        const TVbToken* NameToken;
        bool Used;
    };
    // Kept from procedure to procedure for their room.
    std::vector<TDeclaredLocal> Declared_;
    TNameIndex ByName_;
    std::string Message_;
};
