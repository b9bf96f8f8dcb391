#include "checkers/VbProcedureMetrics.h"

#include "platform/CodePage.h"

void TVbProcedureMetrics::CheckSyntax(const TVbSource&, const TVbSyntax& syntax) {
    static const std::string open = platform::Utf8ToCp932("プロシージャ ");
    static const std::string statements = platform::Utf8ToCp932(" のステートメント数(");
    static const std::string nesting = platform::Utf8ToCp932(" のネストの深さ(");
    static const std::string complexity = platform::Utf8ToCp932(" の循環的複雑度(");
    static const std::string limit = platform::Utf8ToCp932(")が制限(");
    static const std::string close = platform::Utf8ToCp932(")を越えています。");
    auto judge = [&](const TVbProcedure& p, const std::string& what, std::int32_t value,
                     std::int32_t max) {
        if (max > 0 && value > max)
            ReportAt(open + std::string(p.Name) + what + std::to_string(value) + limit +
                         std::to_string(max) + close,
                     p.Line);
    };
    for (const TVbProcedure& p : syntax.Procedures) {
        if (p.Twin) continue;
        judge(p, statements, p.Statements, MaxStatements);
        judge(p, nesting, p.MaxNesting, MaxNesting);
        judge(p, complexity, p.Complexity, MaxComplexity);
    }
}

void TVbProcedureMetrics::Settings(TSettingsVisitor& visitor) {
    // 0 leaves a measure unjudged; a negative limit would report every procedure.
    visitor.Integer({"MaxStatements", "ステートメント数の上限", 0}, MaxStatements);
    visitor.Integer({"MaxNesting", "ネストの深さの上限", 0}, MaxNesting);
    visitor.Integer({"MaxComplexity", "循環的複雑度の上限", 0}, MaxComplexity);
}
