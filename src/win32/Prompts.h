// The prompts port on the Windows API: the system's common file dialogs and the application's
// error message box, owned by the frame.
#pragma once

#include "presenters/Prompts.h"

#include <windows.h>

namespace win32 {

class TWin32Prompts : public TPrompts {
public:
    void SetOwner(HWND owner) { Owner_ = owner; }
    std::string AskFileName(const TFileRequest& request) override;
    void ShowError(const std::string& message) override;

private:
    HWND Owner_ = nullptr;
};

} // namespace win32
