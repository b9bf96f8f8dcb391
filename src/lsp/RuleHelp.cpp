#include "lsp/RuleHelp.h"

#include <array>

namespace {

struct TRuleHelp {
    std::string_view ClassName;
    const char* Japanese;
    const char* English;
};

constexpr std::array Help{
    TRuleHelp{"TVbNoCheckFile", "例外ファイルに指定したファイルはチェックしません。",
              "Files on the exclusion list are not checked."},
    TRuleHelp{"TVBUnusedLocalVariables",
              "宣言したまま一度も使われないローカル変数を報告します。削除するか、使うべき箇所で使っ"
              "てください。",
              "Reports local variables that are declared but never used. Remove them, or use them "
              "where they were meant to be used."},
    TRuleHelp{"TVBUnusedArguments",
              "プロシージャの中で一度も参照されない引数を報告します。イベントハンドラなど引数を変え"
              "られない場合は抑制コメントを使ってください。",
              "Reports arguments that the procedure never reads. Where the signature is fixed (an "
              "event handler, an interface), suppress the finding with a vetrin:ignore comment."},
    TRuleHelp{"TVBNeedOptionExplicit",
              "モジュールの先頭に Option Explicit "
              "が必要です。宣言していない変数はタイプミスの元になります。",
              "Every module needs Option Explicit at its top: an undeclared variable is most often "
              "a typing error."},
    TRuleHelp{
        "TVBNeedAutoIncrementVer",
        "プロジェクトのバージョン番号の自動インクリメント (AutoIncrementVer) の設定を確認します。",
        "Checks the project's AutoIncrementVer setting against the one the rule asks for."},
    TRuleHelp{"TVbAnalyzeStatistics", "コメント行の割合などの統計を取ります。",
              "Counts total, code, blank and comment lines of each file."},
    TRuleHelp{"TVbFileNamingRule",
              "ファイル名が種類ごとの命名規則 (ワイルドカード) に合っていることを求めます。",
              "File names must match the naming pattern (wildcards) set for their kind of file."},
    TRuleHelp{"TVbProhibitImplicitPublicDeclaration",
              "スコープを書かないプロシージャは暗黙に Public になります。Public か Private "
              "を明示してください。",
              "A procedure without a scope keyword is Public by default. Write Public or Private "
              "explicitly."},
    TRuleHelp{"TVbLimitLengthOfLine", "一行の長さ (バイト数) が上限を超えた行を報告します。",
              "Reports lines longer than the limit (in bytes of the code page)."},
    TRuleHelp{"TVbUnusedProcedures", "プロジェクトのどこからも呼ばれないプロシージャを報告します。",
              "Reports procedures that nothing in the project calls."},
    TRuleHelp{"TVbUnusedModuleDeclarations",
              "プロジェクトのどこでも使われないモジュールレベルの変数・定数・Declare・Type・Enum "
              "を報告します。",
              "Reports module-level variables, constants, Declare statements, types and enums "
              "that nothing in the project uses."},
    TRuleHelp{"TVbOnErrorResumeNextNotReset",
              "On Error Resume Next の後にエラー処理を元に戻さない (On Error GoTo 0 のない) "
              "プロシージャを報告します。",
              "Reports procedures that turn On Error Resume Next on and never reset error "
              "handling (On Error GoTo 0) afterwards."},
    TRuleHelp{"TVbProhibitImplicitVariant",
              "型を書かない宣言は暗黙に Variant になります。As で型を明示してください。",
              "A declaration without a type is a Variant by default. Declare the type with As."},
    TRuleHelp{
        "TVbProhibitImplicitByRef",
        "ByVal も ByRef も書かない引数は暗黙に ByRef になります。どちらかを明示してください。",
        "An argument without ByVal or ByRef is passed ByRef by default. Specify one explicitly."},
    TRuleHelp{"TVbEmptyProcedures", "何もしないプロシージャを報告します。",
              "Reports procedures whose body does nothing."},
    TRuleHelp{"TVbProhibitGoTo",
              "エラー処理以外の GoTo と GoSub を報告します。構造化された制御文を使ってください。",
              "Reports GoTo and GoSub outside error handling. Use structured control statements "
              "instead."},
    TRuleHelp{
        "TVbProcedureMetrics",
        "ステートメント数、入れ子の深さ、循環的複雑度が上限を超えるプロシージャを報告します。",
        "Reports procedures with too many statements, too deep nesting or too high a "
        "cyclomatic complexity."},
};

} // namespace

std::string RuleExplanation(std::string_view className, TLanguage language) {
    for (const TRuleHelp& help : Help)
        if (help.ClassName == className)
            return language == TLanguage::Japanese ? help.Japanese : help.English;
    return std::string();
}
