#include "win32/RuleDialog.h"

#include "framework/Errors.h"
#include "platform/win/WideText.h"
#include "presenters/UiTexts.h"
#include "win32/ControlIds.h"
#include "win32/Utf16.h"

#include <commctrl.h>
#include <windowsx.h>

namespace win32 {

namespace {

constexpr unsigned EngineCodePage = 932;

std::wstring EngineToWide(const std::string& text) {
    return platform::win::ToWide(text, EngineCodePage);
}

} // namespace

void TRuleDialog::EditSettings(TVetrin& rule, HWND owner) {
    Form_ = std::make_unique<TSettingsForm>(rule);
    ShowModal(owner, Wide(Form_->Caption()), 396, 216);
}

TSettingField TRuleDialog::Field(std::string_view key) const {
    for (const TSettingDescription& description : Form_->Fields())
        if (description.Field.Key == key) return description.Field;
    throw EGeneralError("no setting " + std::string(key));
}

int TRuleDialog::FieldId(int n) { return win32ids::FirstSettingField + n; }

void TRuleDialog::OnInit() {
    // Tab order: OK, Cancel, Undo, then the rule's controls.
    HWND ok = AddControl(WC_BUTTONW, Wide(uitext::Ok), WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, 228,
                         188, 77, 25);
    AddControl(WC_BUTTONW, Wide(uitext::Cancel), WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL, 316, 188, 77,
               25);
    AddControl(WC_BUTTONW, Wide(uitext::Undo), WS_TABSTOP | BS_PUSHBUTTON, win32ids::Undo, 128, 188,
               77, 25);
    CreateFields();
    SettingsToControls();
    SetFocus(ok);
}

bool TRuleDialog::OnCommand(int id, int code) {
    if (code != BN_CLICKED) return false;
    switch (id) {
    case IDOK:
        if (!ControlsValid()) return true;
        ControlsToSettings();
        Form_->Ok();
        Close(IDOK);
        return true;
    case win32ids::Undo:
        Form_->Undo();
        SettingsToControls();
        return true;
    default:
        return TModalDialog::OnCommand(id, code);
    }
}

void TRuleDialog::SetFieldText(int n, const std::string& text) {
    SetControlText(FieldId(n), EngineToWide(text));
}

std::string TRuleDialog::FieldText(int n, const TStringList& shown) const {
    std::wstring text = ControlText(FieldId(n));
    for (const std::string& original : shown)
        if (EngineToWide(original) == text) return original;
    return platform::win::FromWide(text, EngineCodePage);
}

void TRuleDialog::SetFieldLines(int n, const TStringList& lines) {
    std::wstring text;
    for (const std::string& line : lines) {
        if (!text.empty()) text += L"\r\n";
        text += EngineToWide(line);
    }
    SetControlText(FieldId(n), text);
}

TStringList TRuleDialog::FieldLines(int n, const TStringList& shown) const {
    TStringList lines;
    std::wstring text = ControlText(FieldId(n));
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(L'\n', start);
        std::wstring line = text.substr(start, end == std::wstring::npos ? end : end - start);
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        std::string engine = platform::win::FromWide(line, EngineCodePage);
        for (const std::string& original : shown)
            if (EngineToWide(original) == line) engine = original;
        lines.push_back(engine);
        if (end == std::wstring::npos) break;
        start = end + 1;
    }
    return lines;
}

bool TRuleDialog::FieldChecked(int n) const {
    return Button_GetCheck(GetDlgItem(Handle(), FieldId(n))) == BST_CHECKED;
}

void TRuleDialog::SetFieldChecked(int n, bool checked) {
    Button_SetCheck(GetDlgItem(Handle(), FieldId(n)), checked ? BST_CHECKED : BST_UNCHECKED);
}

void TRuleDialog::Refuse(int n, const std::string& text) {
    ShowMessage(Wide(uitext::ErrorCaption), Wide(text));
    HWND control = GetDlgItem(Handle(), FieldId(n));
    SetFocus(control);
    Edit_SetSel(control, 0, -1);
}

} // namespace win32
