// The base of every rule: a checker whose class name, display name, category and settings
// dialog come from its row of the rule table, found by the rule's type.
#pragma once

#include "framework/Vetrin.h"

#include <cstdint>
#include <string>
#include <string_view>

struct TRuleRow;

class TDescribedRule : public TVetrin {
public:
    std::string_view ClassName() const override;
    std::uint8_t Category() const override;
    // The display name in code page 932.
    std::string GetCheckerName() const override;
    std::string DisplayName() const override;
    // A rule with settings fields has a settings dialog.
    bool HasDetail() const override { return HasSettings(); }
    // The row's dialog; without one, the base class's assertion.
    void ShowDetail(void* owner) override;

private:
    const TRuleRow& Row() const;
    mutable const TRuleRow* Row_ = nullptr;
};
