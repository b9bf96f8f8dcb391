// Unused arguments: an argument that its procedure's body never mentions.
#pragma once

#include "checkers/RuleTable.h"

class TVBUnusedArguments : public TDescribedRule {
public:
    // Argument names never reported (compared without regard to letter case).
    TStringList ExceptionList;
    // Stored, loaded and copied with the list; procedures whose name holds "_" (event
    // procedures) are skipped whatever its value.
    bool ExceptEventProcedure = false;

    std::string_view ClassName() const override { return "TVBUnusedArguments"; }
    void Check(TVtParts& part) override;
    void SaveSettings(TVetrinList& writer) const override;
    void LoadSettings(TVetrinList& reader) override;
    bool IsTarget(const TVtParts& part) const override;
    void AssignSettings(const TVetrin& other) override;

private:
    bool IsExcepted(std::string_view name) const;
};
