// GoTo and GoSub (On Error GoTo is error handling and is left alone; On n GoTo is reported).
#pragma once

#include "checkers/SyntaxRule.h"

class TVbProhibitGoTo : public TSyntaxRule {
public:
protected:
    void CheckSyntax(const TVbSource& source, const TVbSyntax& syntax) override;
};
