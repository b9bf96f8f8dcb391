// Unused module-level declarations: variables, constants, Declare statements, user-defined types
// and enums that nothing uses (Private: in their module; Public: in the project). An enum is
// used when one of its members is.
#pragma once

#include "checkers/SyntaxRule.h"

class TVbUnusedModuleDeclarations : public TProjectSymbolRule {
public:
    void ReportMember(const TVbMemberSymbols& member) override;
};
