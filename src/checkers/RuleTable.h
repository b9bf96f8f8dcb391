// The rules described once: one row per rule with its class name (taken from its type), display
// name, category, how it is made, and the dialog that shows its settings. Adding a rule is its
// file pair and its row; nothing else counts or lists the rules.
#pragma once

#include "framework/Language.h"
#include "framework/Vetrin.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <typeinfo>
#include <vector>

// Opens a rule's settings dialog; owner is the window it belongs to.
using TRuleDialog = std::function<void(TVetrin& rule, void* owner)>;

struct TRuleRow {
    std::string_view ClassName; // as the checker project file stores it: the type's own name
    const char* DisplayName;    // UTF-8, Japanese: the checker project file keeps it
    const char* EnglishName;    // UTF-8
    std::string CheckerName;    // the Japanese display name in code page 932
    std::uint8_t Category;      // catGlobal .. catOther: the tab of the project window
    const std::type_info* Type;
    std::unique_ptr<TVetrin> (*Create)();
    // Filled by the desktop application at start-up (SetRuleDialog); empty in vrt.
    TRuleDialog Dialog;
    // Not in the default selection (vrt check without --rules, the desktop at start-up): runs
    // when a checker project file ticks it.
    bool OptIn = false;
    // The keys of the messages the rule reports (SARIF's message strings of the rule).
    std::vector<TText> Messages;
};

// The rows in their fixed order: the order of the run passes, of the rows within a tab and of
// the sections of the checker project file.
std::span<const TRuleRow> RuleTable();
// The row of a class name (letter case counts), or none.
const TRuleRow* FindRuleRow(std::string_view className);
// The row of a rule's type, or none.
const TRuleRow* FindRuleRow(const std::type_info& type);
// The display name of a row in a language (UTF-8).
const char* RuleDisplayName(const TRuleRow& row, TLanguage language);
// The caption of a category (UTF-8) in the process's language, or the one given: the project
// window's tab and vrt's rule list; "-" for a category that is not one of the six.
constexpr int CategoryCount = 6;
const char* CategoryCaption(std::uint8_t category);
const char* CategoryCaption(std::uint8_t category, TLanguage language);
// Sets the dialog column of a rule's row; an unknown class name raises EGeneralError.
void SetRuleDialog(std::string_view className, TRuleDialog dialog);
// The default selection: every rule of the collection on but the opt-in ones.
void EnableDefaultRules(TVetrins& rules);
// The settings fields of a rule with their values at the rule's defaults.
std::vector<TSettingDescription> DefaultSettings(const TRuleRow& row);
