// The template of the rules' settings dialogs: OK, Cancel and 元に戻す(&D) under the rule's own
// controls, over the presenters' settings form: the controls show and store the form's working
// copy, OK commits it to the rule, Undo takes the rule's settings again, and Cancel, Esc and the
// close box change nothing.
#pragma once

#include "framework/RuleSettings.h"
#include "framework/Vetrin.h"
#include "framework/VetrinList.h"
#include "presenters/SettingsForm.h"
#include "win32/ModalDialog.h"

#include <memory>
#include <string>
#include <string_view>

namespace win32 {

class TRuleDialog : public TModalDialog {
public:
    // Edits the rule's settings in the dialog, shown modally over owner and titled with the
    // rule's name; returns when it closes.
    void EditSettings(TVetrin& rule, HWND owner);

protected:
    // The rule's own controls, created when the dialog opens.
    virtual void CreateFields() = 0;
    virtual void SettingsToControls() = 0;
    virtual void ControlsToSettings() = 0;
    // Whether the controls hold settings the rule can take; when not, says why and answers false
    // (the dialog stays open).
    virtual bool ControlsValid() { return true; }

    TVetrin& Working() { return Form_->Working(); }
    // The description of one of the rule's settings fields (its label, its limits).
    TSettingField Field(std::string_view key) const;
    // The identifier of the rule's n-th control.
    static int FieldId(int n);
    // Engine text (code page 932) in a control and back; a text the user left as it was shown
    // keeps its bytes exactly.
    void SetFieldText(int n, const std::string& text);
    std::string FieldText(int n, const TStringList& shown = {}) const;
    // A list in a multi-line box, one entry per line.
    void SetFieldLines(int n, const TStringList& lines);
    TStringList FieldLines(int n, const TStringList& shown) const;
    bool FieldChecked(int n) const;
    void SetFieldChecked(int n, bool checked);
    // A warning over the dialog, with the focus back on the control it is about.
    void Refuse(int n, const std::string& text);

private:
    void OnInit() override;
    bool OnCommand(int id, int code) override;

    std::unique_ptr<TSettingsForm> Form_;
};

// Registers the dialogs in the rule table, so that a rule's ShowDetail(owner) opens its own;
// owner is the HWND the dialog belongs to.
void RegisterRuleDialogs();

} // namespace win32
