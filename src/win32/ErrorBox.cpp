#include "win32/ErrorBox.h"

#include "presenters/Prompts.h"
#include "presenters/UiTexts.h"
#include "win32/Utf16.h"

namespace win32 {

void ShowErrorBox(HWND owner, const std::exception_ptr& error) {
    MessageBoxW(owner, Wide(ErrorText(error)).c_str(), Wide(uitext::AppTitle).c_str(),
                MB_OK | MB_ICONERROR);
}

} // namespace win32
