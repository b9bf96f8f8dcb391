// On Error Resume Next left on: an "On Error Resume Next" that no later "On Error GoTo ..." of
// its procedure resets, so every error after it up to the procedure's end passes unseen.
#pragma once

#include "checkers/SyntaxRule.h"

class TVbOnErrorResumeNextNotReset : public TSyntaxRule {
public:
protected:
    void CheckSyntax(const TVbSource& source, const TVbSyntax& syntax) override;
};
