// Implicit Variant: a variable, parameter or function result declared with neither "As" nor a
// type suffix, whose first letter no DefInt-style statement of the module covers.
#pragma once

#include "checkers/SyntaxRule.h"

class TVbProhibitImplicitVariant : public TSyntaxRule {
public:
protected:
    void CheckSyntax(const TVbSource& source, const TVbSyntax& syntax) override;
};
