#include "checkers/RuleTable.h"

#include "checkers/DescribedRule.h"
#include "checkers/VBNeedAutoIncrementVer.h"
#include "checkers/VBNeedOptionExplicit.h"
#include "checkers/VBUnusedArguments.h"
#include "checkers/VBUnusedLocalVariables.h"
#include "checkers/VbAnalyzeStatistics.h"
#include "checkers/VbEmptyProcedures.h"
#include "checkers/VbFileNamingRule.h"
#include "checkers/VbLimitLengthOfLine.h"
#include "checkers/VbNoCheckFile.h"
#include "checkers/VbOnErrorResumeNextNotReset.h"
#include "checkers/VbProcedureMetrics.h"
#include "checkers/VbProhibitGoTo.h"
#include "checkers/VbProhibitImplicitByRef.h"
#include "checkers/VbProhibitImplicitPublicDeclaration.h"
#include "checkers/VbProhibitImplicitVariant.h"
#include "checkers/VbUnusedModuleDeclarations.h"
#include "checkers/VbUnusedProcedures.h"
#include "framework/Errors.h"
#include "platform/CodePage.h"

#include <vector>

namespace {

// The name of a type as the compiler spells it in a function's signature, without namespace:
// "... TypeName() [with T = TVbNoCheckFile; ...]" (GCC) or "... [T = TVbNoCheckFile]" (Clang).
// Binding the class name to the type this way leaves nothing to keep in step by hand.
template <typename T> constexpr std::string_view TypeName() {
    constexpr std::string_view signature = __PRETTY_FUNCTION__;
    constexpr std::string_view marker = "T = ";
    constexpr std::size_t start = signature.find(marker) + marker.size();
    constexpr std::size_t end = signature.find_first_of(";]", start);
    constexpr std::string_view name = signature.substr(start, end - start);
    static_assert(signature.find(marker) != std::string_view::npos && !name.empty(),
                  "the compiler spells signatures in a way TypeName does not know");
    return name;
}

template <typename T> std::unique_ptr<TVetrin> Make() { return std::make_unique<T>(); }

// One row of a rule of type T.
template <typename T>
TRuleRow Rule(const char* displayName, const char* englishName, std::uint8_t category,
              std::vector<TText> messages = {}) {
    TRuleRow row{TypeName<T>(), displayName, englishName, platform::Utf8ToCp932(displayName),
                 category,      &typeid(T),  &Make<T>,    {}};
    row.Messages = std::move(messages);
    return row;
}

// One row of a rule outside the default selection.
template <typename T>
TRuleRow OptInRule(const char* displayName, const char* englishName, std::uint8_t category,
                   std::vector<TText> messages) {
    TRuleRow row = Rule<T>(displayName, englishName, category, std::move(messages));
    row.OptIn = true;
    return row;
}

std::vector<TRuleRow>& Rows() {
    static std::vector<TRuleRow> rows = [] {
        std::vector<TRuleRow> r;
        r.push_back(Rule<TVbNoCheckFile>("例外ファイル設定", "Excluded files", catGlobal));
        r.push_back(Rule<TVBUnusedLocalVariables>("未使用のローカル変数", "Unused local variables",
                                                  catUnused, {TText::UnusedLocalVariable}));
        r.push_back(Rule<TVBUnusedArguments>("未使用の引数", "Unused arguments", catUnused,
                                             {TText::UnusedArgument}));
        r.push_back(Rule<TVBNeedOptionExplicit>("Option Explicit必須", "Option Explicit required",
                                                catOther, {TText::NoOptionExplicit}));
        r.push_back(Rule<TVBNeedAutoIncrementVer>(
            "バージョン番号の自動インクリメント必須", "Version auto-increment required", catOther,
            {TText::AutoIncrementOff, TText::AutoIncrementOn}));
        r.push_back(
            Rule<TVbAnalyzeStatistics>("コメント統計", "Comment statistics", catStatistics));
        r.push_back(Rule<TVbFileNamingRule>("ファイル命名規則", "File naming convention", catNaming,
                                            {TText::NamingViolation}));
        r.push_back(Rule<TVbProhibitImplicitPublicDeclaration>(
            "暗黙のPublic宣言を禁止", "No implicit Public declarations", catProhibit,
            {TText::ImplicitPublic}));
        r.push_back(Rule<TVbLimitLengthOfLine>("一行の長さ制限", "Line length limit", catProhibit,
                                               {TText::LineTooLong}));
        // The rules on the syntax model and the project's symbol table run only when chosen.
        r.push_back(OptInRule<TVbUnusedProcedures>("未使用のプロシージャ", "Unused procedures",
                                                   catUnused, {TText::UnusedProcedure}));
        r.push_back(OptInRule<TVbUnusedModuleDeclarations>(
            "未使用のモジュールレベル宣言", "Unused module-level declarations", catUnused,
            {TText::UnusedModuleVariable, TText::UnusedConstant, TText::UnusedDeclare,
             TText::UnusedType, TText::UnusedEnum}));
        r.push_back(OptInRule<TVbOnErrorResumeNextNotReset>(
            "On Error Resume Nextの解除漏れ", "On Error Resume Next left on", catProhibit,
            {TText::ResumeNextNotReset}));
        r.push_back(OptInRule<TVbProhibitImplicitVariant>(
            "暗黙のVariant型を禁止", "No implicit Variants", catProhibit,
            {TText::ImplicitVariantVariable, TText::ImplicitVariantArgument,
             TText::ImplicitVariantFunction}));
        r.push_back(OptInRule<TVbProhibitImplicitByRef>("暗黙のByRef引数を禁止",
                                                        "No implicit ByRef arguments", catProhibit,
                                                        {TText::ImplicitByRef}));
        r.push_back(OptInRule<TVbEmptyProcedures>("空のプロシージャ", "Empty procedures", catOther,
                                                  {TText::EmptyProcedure}));
        r.push_back(OptInRule<TVbProhibitGoTo>("GoTo/GoSubを禁止", "No GoTo or GoSub", catProhibit,
                                               {TText::GoToProhibited, TText::GoSubProhibited}));
        r.push_back(OptInRule<TVbProcedureMetrics>(
            "プロシージャの複雑さ", "Procedure complexity", catStatistics,
            {TText::TooManyStatements, TText::TooDeepNesting, TText::TooComplex}));
        return r;
    }();
    return rows;
}

TRuleRow* FindRow(std::string_view className) {
    for (TRuleRow& row : Rows())
        if (row.ClassName == className) return &row;
    return nullptr;
}

} // namespace

std::span<const TRuleRow> RuleTable() { return Rows(); }

const TRuleRow* FindRuleRow(std::string_view className) { return FindRow(className); }

const TRuleRow* FindRuleRow(const std::type_info& type) {
    for (const TRuleRow& row : Rows())
        if (*row.Type == type) return &row;
    return nullptr;
}

const char* RuleDisplayName(const TRuleRow& row, TLanguage language) {
    return language == TLanguage::Japanese ? row.DisplayName : row.EnglishName;
}

const char* CategoryCaption(std::uint8_t category) {
    return CategoryCaption(category, CurrentLanguage());
}

const char* CategoryCaption(std::uint8_t category, TLanguage language) {
    static const char* const japanese[CategoryCount] = {"設定",     "未使用", "禁止",
                                                        "命名規則", "統計",   "その他"};
    static const char* const english[CategoryCount] = {"Settings", "Unused",     "Prohibited",
                                                       "Naming",   "Statistics", "Other"};
    if (category >= CategoryCount) return "-";
    return language == TLanguage::Japanese ? japanese[category] : english[category];
}

void SetRuleDialog(std::string_view className, TRuleDialog dialog) {
    TRuleRow* row = FindRow(className);
    if (!row) throw EGeneralError("no rule " + std::string(className));
    row->Dialog = std::move(dialog);
}

std::vector<TSettingDescription> DefaultSettings(const TRuleRow& row) {
    return row.Create()->DescribeSettings();
}

// ---- TDescribedRule ----

const TRuleRow& TDescribedRule::Row() const {
    if (!Row_) {
        Row_ = FindRuleRow(typeid(*this));
        // A rule class without its row is a fault of the program, not of the input.
        if (!Row_) throw EAssertionFailed::Default("RuleTable", __LINE__);
    }
    return *Row_;
}

std::string_view TDescribedRule::ClassName() const { return Row().ClassName; }

std::uint8_t TDescribedRule::Category() const { return Row().Category; }

std::string TDescribedRule::GetCheckerName() const { return Row().CheckerName; }

std::string TDescribedRule::DisplayName() const {
    const TLanguage language = CurrentLanguage();
    if (language == TLanguage::Japanese) return Row().CheckerName;
    return platform::Utf8ToCp932(RuleDisplayName(Row(), language));
}

void TDescribedRule::ShowDetail(void* owner) {
    const TRuleRow& row = Row();
    if (row.Dialog)
        row.Dialog(*this, owner);
    else
        TVetrin::ShowDetail(owner);
}

void EnableDefaultRules(TVetrins& rules) {
    for (int i = 0; i < rules.Count(); ++i) {
        TVetrin& rule = *rules.Items(i);
        const TRuleRow* row = FindRuleRow(rule.ClassName());
        rule.Enabled = !(row && row->OptIn);
    }
}
