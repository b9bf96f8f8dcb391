#include "checkers/RuleTable.h"

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

#include <array>
#include <vector>

namespace {

template <typename T> std::unique_ptr<TVetrin> Make() { return std::make_unique<T>(); }

std::span<TRuleRow> Rows() {
    static TRuleRow rows[] = {
        {"TVbNoCheckFile", "例外ファイル設定", catGlobal, true, &Make<TVbNoCheckFile>, {}},
        {"TVBUnusedLocalVariables",
         "未使用のローカル変数",
         catUnused,
         false,
         &Make<TVBUnusedLocalVariables>,
         {}},
        {"TVBUnusedArguments", "未使用の引数", catUnused, true, &Make<TVBUnusedArguments>, {}},
        {"TVBNeedOptionExplicit",
         "Option Explicit必須",
         catOther,
         false,
         &Make<TVBNeedOptionExplicit>,
         {}},
        {"TVBNeedAutoIncrementVer",
         "バージョン番号の自動インクリメント必須",
         catOther,
         true,
         &Make<TVBNeedAutoIncrementVer>,
         {}},
        {"TVbAnalyzeStatistics",
         "コメント統計",
         catStatistics,
         false,
         &Make<TVbAnalyzeStatistics>,
         {}},
        {"TVbFileNamingRule", "ファイル命名規則", catNaming, true, &Make<TVbFileNamingRule>, {}},
        {"TVbProhibitImplicitPublicDeclaration",
         "暗黙のPublic宣言を禁止",
         catProhibit,
         true,
         &Make<TVbProhibitImplicitPublicDeclaration>,
         {}},
        {"TVbLimitLengthOfLine",
         "一行の長さ制限",
         catProhibit,
         true,
         &Make<TVbLimitLengthOfLine>,
         {}},
        // The rules on the syntax model and the project's symbol table run only when chosen.
        {"TVbUnusedProcedures",
         "未使用のプロシージャ",
         catUnused,
         false,
         &Make<TVbUnusedProcedures>,
         {},
         true},
        {"TVbUnusedModuleDeclarations",
         "未使用のモジュールレベル宣言",
         catUnused,
         false,
         &Make<TVbUnusedModuleDeclarations>,
         {},
         true},
        {"TVbOnErrorResumeNextNotReset",
         "On Error Resume Nextの解除漏れ",
         catProhibit,
         false,
         &Make<TVbOnErrorResumeNextNotReset>,
         {},
         true},
        {"TVbProhibitImplicitVariant",
         "暗黙のVariant型を禁止",
         catProhibit,
         false,
         &Make<TVbProhibitImplicitVariant>,
         {},
         true},
        {"TVbProhibitImplicitByRef",
         "暗黙のByRef引数を禁止",
         catProhibit,
         false,
         &Make<TVbProhibitImplicitByRef>,
         {},
         true},
        {"TVbEmptyProcedures",
         "空のプロシージャ",
         catOther,
         false,
         &Make<TVbEmptyProcedures>,
         {},
         true},
        {"TVbProhibitGoTo",
         "GoTo/GoSubを禁止",
         catProhibit,
         false,
         &Make<TVbProhibitGoTo>,
         {},
         true},
        {"TVbProcedureMetrics",
         "プロシージャの複雑さ",
         catStatistics,
         true,
         &Make<TVbProcedureMetrics>,
         {},
         true},
    };
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

const char* CategoryCaption(std::uint8_t category) {
    static const char* const captions[CategoryCount] = {"設定",     "未使用", "禁止",
                                                        "命名規則", "統計",   "その他"};
    return category < CategoryCount ? captions[category] : "-";
}

void SetRuleDialog(std::string_view className, TRuleDialog dialog) {
    TRuleRow* row = FindRow(className);
    if (!row) throw EGeneralError("no rule " + std::string(className));
    row->Dialog = std::move(dialog);
}

// ---- TDescribedRule ----

const TRuleRow& TDescribedRule::Row() const {
    if (!Row_) {
        Row_ = FindRuleRow(ClassName());
        // A rule class without its row is a fault of the program, not of the input.
        if (!Row_) throw EAssertionFailed::Default("RuleTable", __LINE__);
    }
    return *Row_;
}

std::string TDescribedRule::GetCheckerName() const {
    // The display names in code page 932, converted once.
    static const std::vector<std::string> names = [] {
        std::vector<std::string> converted;
        for (const TRuleRow& row : Rows())
            converted.push_back(platform::Utf8ToCp932(row.DisplayName));
        return converted;
    }();
    return names[static_cast<std::size_t>(&Row() - Rows().data())];
}

void TDescribedRule::ShowDetail(void* owner) {
    const TRuleRow& row = Row();
    if (row.Dialog)
        row.Dialog(*this, owner);
    else
        TVetrin::ShowDetail(owner);
}
