// Unused arguments: an argument that its procedure's body never mentions.
#pragma once

#include "checkers/DescribedRule.h"

class TVBUnusedArguments : public TDescribedRule {
public:
    // Argument names never reported (compared without regard to letter case).
    TStringList ExceptionList;
    // Stored, loaded and copied with the list; procedures whose name holds "_" (event
    // procedures) are skipped whatever its value.
    bool ExceptEventProcedure = false;

    void Check(TVtParts& part) override;
    void Settings(TSettingsVisitor& visitor) override;
    bool IsTarget(const TVtParts& part) const override;

private:
    bool IsExcepted(std::string_view name) const;
};
