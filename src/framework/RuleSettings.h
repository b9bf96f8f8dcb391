// A rule's settings as named fields: one function of the rule visits them, and saving, loading,
// copying, describing (for settings forms and reports) all run through it, so the directions
// cannot fall out of step.
#pragma once

#include "framework/VetrinList.h"

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// What a settings form and a report need to know of one field besides its value.
struct TSettingField {
    std::string_view Key; // stable, ASCII: the field's name in reports and forms
    const char* Label;    // UTF-8: the form's label
    std::int32_t Min = std::numeric_limits<std::int32_t>::min(); // integers only
    std::int32_t Max = std::numeric_limits<std::int32_t>::max();
};

// Visits the fields of one rule in their fixed order (the order of the checker project file).
class TSettingsVisitor {
public:
    virtual ~TSettingsVisitor() = default;
    virtual void Flag(const TSettingField& field, bool& value) = 0;
    virtual void Integer(const TSettingField& field, std::int32_t& value) = 0;
    virtual void Texts(const TSettingField& field, TStringList& value) = 0;
};

// One field's value.
using TSettingValue = std::variant<bool, std::int32_t, TStringList>;

// One field as a form or a report shows it.
struct TSettingDescription {
    TSettingField Field;
    TSettingValue Value;
};
