// A rule's settings form without a toolkit: the rule's fields (labels, limits), a working copy
// the form's controls are loaded from and stored into, OK that commits the copy to the rule,
// Undo that takes the rule's settings again, and the texts that refuse a value a field cannot
// hold. Cancel is no call at all: the rule keeps its settings. Both faces' settings dialogs run
// this protocol; each shows the fields with its own controls.
#pragma once

#include "framework/RuleSettings.h"
#include "framework/Vetrin.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TSettingsForm {
public:
    // Edits target's settings on a working copy made from the rule table (a new rule of the
    // target's class), loaded with the target's settings.
    explicit TSettingsForm(TVetrin& target);
    // The same on a working copy the caller holds (a rule of the target's class).
    TSettingsForm(TVetrin& target, TVetrin& working);

    TVetrin& Target() { return Target_; }
    TVetrin& Working() { return *Working_; }
    // The form's caption: the rule's display name (UTF-8).
    std::string Caption() const;
    // The fields with the working copy's values, in the order of the checker project file.
    std::vector<TSettingDescription> Fields() const { return Working_->DescribeSettings(); }
    // Stores the controls' values into the working copy, one per field in the fields' order.
    void SetValues(const std::vector<TSettingValue>& values);

    // OK: the rule takes the working copy's settings.
    void Ok();
    // Undo: the working copy takes the rule's settings again (the controls are then reloaded).
    void Undo();

    // An integer field's text as typed (an optional sign and decimal digits): its value, or
    // nothing with the text to show (UTF-8) when it is no number or outside the field's limits.
    static std::optional<std::int32_t> IntegerFromText(const TSettingField& field,
                                                       std::string_view text, std::string& refusal);

private:
    std::unique_ptr<TVetrin> OwnWorking_;
    TVetrin& Target_;
    TVetrin* Working_;
};
