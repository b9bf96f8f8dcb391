// The rules described once: one row per rule with its class name, display name, category,
// whether it has settings, how it is made, and the dialog that shows its settings.
#pragma once

#include "framework/Vetrin.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

// Opens a rule's settings dialog; owner is the window it belongs to.
using TRuleDialog = std::function<void(TVetrin& rule, void* owner)>;

struct TRuleRow {
    std::string_view ClassName; // as the checker project file stores it
    const char* DisplayName;    // UTF-8
    std::uint8_t Category;      // catGlobal .. catOther: the tab of the project window
    bool HasSettings;
    std::unique_ptr<TVetrin> (*Create)();
    // Filled by the desktop application at start-up (SetRuleDialog); empty in vrt.
    TRuleDialog Dialog;
    // Not in the default selection (vrt check without --rules, the desktop at start-up): runs
    // when a checker project file ticks it.
    bool OptIn = false;
};

// The rows in their fixed order: the order of the run passes, of the rows within a tab and of
// the sections of the checker project file.
std::span<const TRuleRow> RuleTable();
// The row of a class name (letter case counts), or none.
const TRuleRow* FindRuleRow(std::string_view className);
// The caption of a category (UTF-8): the project window's tab and vrt's rule list; "-" for a
// category that is not one of the six.
constexpr int CategoryCount = 6;
const char* CategoryCaption(std::uint8_t category);
// Sets the dialog column of a rule's row; an unknown class name raises EGeneralError.
void SetRuleDialog(std::string_view className, TRuleDialog dialog);

// A rule whose display name, category, settings flag and dialog come from its row.
class TDescribedRule : public TVetrin {
public:
    std::uint8_t Category() const override { return Row().Category; }
    // The display name in code page 932.
    std::string GetCheckerName() const override;
    bool HasDetail() const override { return Row().HasSettings; }
    // The row's dialog; without one, the base class's assertion.
    void ShowDetail(void* owner) override;

private:
    const TRuleRow& Row() const;
    mutable const TRuleRow* Row_ = nullptr;
};
