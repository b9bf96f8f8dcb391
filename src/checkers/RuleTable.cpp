#include "checkers/RuleTable.h"

#include "checkers/VBNeedAutoIncrementVer.h"
#include "checkers/VBNeedOptionExplicit.h"
#include "checkers/VBUnusedArguments.h"
#include "checkers/VBUnusedLocalVariables.h"
#include "checkers/VbAnalyzeStatistics.h"
#include "checkers/VbFileNamingRule.h"
#include "checkers/VbLimitLengthOfLine.h"
#include "checkers/VbNoCheckFile.h"
#include "checkers/VbProhibitImplicitPublicDeclaration.h"
#include "framework/Errors.h"
#include "platform/CodePage.h"

#include <array>

namespace {

template <typename T> std::unique_ptr<TVetrin> Make() { return std::make_unique<T>(); }

std::array<TRuleRow, 9>& Rows() {
    static std::array<TRuleRow, 9> rows = {{
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
    }};
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
    static const std::array<std::string, 9> names = [] {
        std::array<std::string, 9> converted;
        for (std::size_t i = 0; i < converted.size(); ++i)
            converted[i] = platform::Utf8ToCp932(Rows()[i].DisplayName);
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
