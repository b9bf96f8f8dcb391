// Unused arguments: an argument that its procedure's body never mentions.
#pragma once

#include "checkers/MemberWalk.h"
#include "checkers/RuleSupport.h"

#include <string>

class TVBUnusedArguments : public TWalkedRule {
public:
    // Argument names never reported (compared without regard to letter case).
    TStringList ExceptionList;
    // Stored, loaded and copied with the list; procedures whose name holds "_" (event
    // procedures) are skipped whatever its value.
    bool ExceptEventProcedure = false;

    void Settings(TSettingsVisitor& visitor) override;
    bool IsTarget(const TVtParts& part) const override;
    unsigned Needs() const override { return wnProcedures; }
    void BeginWalk(const TVbSource&) override {}
    void WalkProcedure(const TVbSource& source, TWalkedProcedure& procedure) override;

private:
    bool IsExcepted(std::string_view name) const;
    std::string Name_; // kept from finding to finding for its room
};
