#include "checkers/VbProcedureMetrics.h"

#include "platform/CodePage.h"

void TVbProcedureMetrics::CheckSyntax(const TVbSource&, const TVbSyntax& syntax) {
    auto judge = [&](const TVbProcedure& p, TText message, std::int32_t value, std::int32_t max) {
        if (max > 0 && value > max)
            ReportAt(message,
                     {{"name", p.Name},
                      {"value", std::to_string(value)},
                      {"limit", std::to_string(max)}},
                     p.Line);
    };
    for (const TVbProcedure& p : syntax.Procedures) {
        if (p.Twin) continue;
        judge(p, TText::TooManyStatements, p.Statements, MaxStatements);
        judge(p, TText::TooDeepNesting, p.MaxNesting, MaxNesting);
        judge(p, TText::TooComplex, p.Complexity, MaxComplexity);
    }
}

void TVbProcedureMetrics::Settings(TSettingsVisitor& visitor) {
    // 0 leaves a measure unjudged; a negative limit would report every procedure.
    visitor.Integer({"MaxStatements", "ステートメント数の上限", 0}, MaxStatements);
    visitor.Integer({"MaxNesting", "ネストの深さの上限", 0}, MaxNesting);
    visitor.Integer({"MaxComplexity", "循環的複雑度の上限", 0}, MaxComplexity);
}
