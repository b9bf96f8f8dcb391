// Procedure metrics: the statements of a procedure's body, its deepest nesting of If, For, Do,
// While and Select blocks, and its cyclomatic complexity (1 + If, ElseIf, Case, For, Do, While),
// each against a limit (0: not judged).
#pragma once

#include "checkers/SyntaxRule.h"

class TVbProcedureMetrics : public TSyntaxRule {
public:
    std::int32_t MaxStatements = 100;
    std::int32_t MaxNesting = 5;
    std::int32_t MaxComplexity = 10;

    void Settings(TSettingsVisitor& visitor) override;

protected:
    void CheckSyntax(const TVbSource& source, const TVbSyntax& syntax) override;
};
