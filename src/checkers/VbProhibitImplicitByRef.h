// Implicit ByRef: a procedure's parameter written with neither ByVal nor ByRef. Event handlers
// and interface members are left alone: their signatures are fixed by the event or interface.
#pragma once

#include "checkers/SyntaxRule.h"

class TVbProhibitImplicitByRef : public TSyntaxRule {
public:
protected:
    void CheckSyntax(const TVbSource& source, const TVbSyntax& syntax) override;
};
