// The option dialog "オプション": the editor command line (with "…" to choose the program), the
// code page of the VB sources and the language of the windows (taken at the next start). OK stores
// them in the options and writes vrt.ini at once.
#pragma once

#include "win32/ModalDialog.h"

class TPrompts;
class TVtOption;

namespace win32 {

class TOptionDialog : public TModalDialog {
public:
    TOptionDialog(TVtOption& option, TPrompts& prompts) : Option_(option), Prompts_(prompts) {}
    // Shows the dialog modally over owner.
    void Execute(HWND owner);

protected:
    void OnInit() override;
    bool OnCommand(int id, int code) override;

private:
    void OkClick();
    void OpenFileClick();

    TVtOption& Option_;
    TPrompts& Prompts_;
};

} // namespace win32
