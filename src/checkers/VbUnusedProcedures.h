// Unused procedures: a Private procedure that nothing in its module uses, a Public or Friend one
// that nothing in the project uses. Entry points (Sub Main, event handlers, interface members,
// the Public members of an ActiveX project's exposed classes) are never reported.
#pragma once

#include "checkers/SyntaxRule.h"

class TVbUnusedProcedures : public TProjectSymbolRule {
public:
    void ReportMember(const TVbMemberSymbols& member) override;
};
