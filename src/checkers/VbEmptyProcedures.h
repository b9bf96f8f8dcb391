// Empty procedures: nothing but comments and blank lines between the header and its End line.
// Event handlers and interface members are left alone: an empty one is how an interface member
// that has nothing to do, or an event left unhandled on purpose, is written; so is a class whose
// procedures are all empty, which defines an interface for Implements.
#pragma once

#include "checkers/SyntaxRule.h"

class TVbEmptyProcedures : public TSyntaxRule {
public:
protected:
    void CheckSyntax(const TVbSource& source, const TVbSyntax& syntax) override;
};
