#include "win32/OptionDialog.h"

#include "platform/CodePage.h"
#include "platform/Files.h"
#include "presenters/Prompts.h"
#include "presenters/UiTexts.h"
#include "presenters/VtOption.h"
#include "win32/ControlIds.h"
#include "win32/Utf16.h"

#include <commctrl.h>
#include <windowsx.h>

namespace win32 {

void TOptionDialog::Execute(HWND owner) { ShowModal(owner, Wide(uitext::OptionCaption), 397, 259); }

void TOptionDialog::OnInit() {
    // Tab order: OK, Cancel, the editor box, the code page, the language.
    AddControl(WC_BUTTONW, Wide(uitext::Ok), WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, 228, 228, 77, 25);
    AddControl(WC_BUTTONW, Wide(uitext::Cancel), WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL, 316, 228, 77,
               25);
    AddControl(WC_STATICW, Wide(uitext::EditorLabel), SS_LEFT, -1, 20, 12, 200, 14);
    HWND editor = AddControl(WC_EDITW, Wide(platform::Cp932ToUtf8(Option_.CommandLine)),
                             WS_TABSTOP | ES_AUTOHSCROLL, win32ids::EditorName, 20, 28, 333, 20,
                             WS_EX_CLIENTEDGE);
    AddControl(WC_BUTTONW, Wide(uitext::Ellipsis), BS_PUSHBUTTON, win32ids::EditorBrowse, 355, 28,
               25, 21);
    AddControl(WC_STATICW, Wide(uitext::FileNamePlaceholder), SS_LEFT, -1, 28, 52, 200, 14);
    AddControl(WC_STATICW, Wide(uitext::LinePlaceholder), SS_LEFT, -1, 28, 68, 200, 14);
    AddControl(WC_STATICW, Wide(uitext::CodePageLabel), SS_LEFT, -1, 20, 96, 200, 14);
    HWND codePage = AddControl(WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                               win32ids::CodePageBox, 20, 112, 120, 200);
    for (int number : TVtOption::SourceCodePages) {
        int index = ComboBox_AddString(codePage, std::to_wstring(number).c_str());
        if (number == Option_.CodePage) ComboBox_SetCurSel(codePage, index);
    }
    if (ComboBox_GetCurSel(codePage) < 0) ComboBox_SetCurSel(codePage, 0);
    AddControl(WC_STATICW, Wide(uitext::LanguageLabel), SS_LEFT, -1, 20, 140, 200, 14);
    HWND language = AddControl(WC_COMBOBOXW, L"", WS_TABSTOP | CBS_DROPDOWNLIST,
                               win32ids::LanguageBox, 20, 156, 180, 100);
    for (std::optional<TLanguage> choice : TVtOption::LanguageChoices) {
        int index =
            ComboBox_AddString(language, Wide(TVtOption::LanguageChoiceCaption(choice)).c_str());
        if (choice == Option_.Language) ComboBox_SetCurSel(language, index);
    }
    AddControl(WC_STATICW, Wide(uitext::LanguageAtNextStart), SS_LEFT, -1, 20, 184, 360, 30);
    SetFocus(editor);
}

void TOptionDialog::OkClick() {
    Option_.CommandLine = platform::Utf8ToCp932(Utf8(ControlText(win32ids::EditorName)));
    int index = ComboBox_GetCurSel(GetDlgItem(Handle(), win32ids::CodePageBox));
    if (index >= 0)
        Option_.CodePage = TVtOption::SourceCodePages.at(static_cast<std::size_t>(index));
    index = ComboBox_GetCurSel(GetDlgItem(Handle(), win32ids::LanguageBox));
    if (index >= 0)
        Option_.Language = TVtOption::LanguageChoices.at(static_cast<std::size_t>(index));
    Option_.SaveOptions();
}

void TOptionDialog::OpenFileClick() {
    const std::string commandLine = platform::Utf8ToCp932(Utf8(ControlText(win32ids::EditorName)));
    const std::string chosen = Prompts_.AskFileName(TVtOption::EditorProgramRequest(commandLine));
    if (chosen.empty()) return;
    SetControlText(win32ids::EditorName, Wide(platform::Cp932ToUtf8(TVtOption::WithEditorProgram(
                                             commandLine, platform::EnginePath(chosen)))));
}

bool TOptionDialog::OnCommand(int id, int code) {
    if (code != BN_CLICKED) return false;
    try {
        if (id == IDOK) {
            OkClick();
            Close(IDOK);
            return true;
        }
        if (id == win32ids::EditorBrowse) {
            OpenFileClick();
            return true;
        }
    } catch (const std::exception& error) {
        Prompts_.ShowError(ErrorText(error));
        return true;
    }
    return TModalDialog::OnCommand(id, code);
}

} // namespace win32
