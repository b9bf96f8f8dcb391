// Implicit Public declaration prohibited: a procedure whose declaration line names no scope.
#pragma once

#include "checkers/RuleTable.h"

class TVbProhibitImplicitPublicDeclaration : public TDescribedRule {
public:
    // When true, a procedure named exactly "Main" (the start-up procedure) is never reported.
    bool ExceptSubMain = true;

    std::string_view ClassName() const override { return "TVbProhibitImplicitPublicDeclaration"; }
    void Check(TVtParts& part) override;
    void SaveSettings(TVetrinList& writer) const override;
    void LoadSettings(TVetrinList& reader) override;
    bool IsTarget(const TVtParts& part) const override;
    void AssignSettings(const TVetrin& other) override;
};
