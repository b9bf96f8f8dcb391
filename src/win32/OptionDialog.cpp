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

namespace {

constexpr int CodePageBox = win32ids::EditorName + 10;
// The code pages a VB source may be written in.
constexpr int CodePages[] = {932,  874,  936,  949,  950,  1250, 1251,
                             1252, 1253, 1254, 1255, 1256, 1257, 1258};

} // namespace

void TOptionDialog::Execute(HWND owner) { ShowModal(owner, Wide(uitext::OptionCaption), 397, 219); }

void TOptionDialog::OnInit() {
    // Tab order: OK, Cancel, the editor box, the code page.
    AddControl(WC_BUTTONW, Wide(uitext::Ok), WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, 228, 188, 77, 25);
    AddControl(WC_BUTTONW, Wide(uitext::Cancel), WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL, 316, 188, 77,
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
                               CodePageBox, 20, 112, 120, 200);
    for (int number : CodePages) {
        int index = ComboBox_AddString(codePage, std::to_wstring(number).c_str());
        if (number == Option_.CodePage) ComboBox_SetCurSel(codePage, index);
    }
    if (ComboBox_GetCurSel(codePage) < 0) ComboBox_SetCurSel(codePage, 0);
    SetFocus(editor);
}

void TOptionDialog::OkClick() {
    Option_.CommandLine = platform::Utf8ToCp932(Utf8(ControlText(win32ids::EditorName)));
    int index = ComboBox_GetCurSel(GetDlgItem(Handle(), CodePageBox));
    if (index >= 0) Option_.CodePage = CodePages[index];
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
