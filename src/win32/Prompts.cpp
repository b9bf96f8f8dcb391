#include "win32/Prompts.h"

#include "presenters/UiTexts.h"
#include "win32/Utf16.h"

#include <commdlg.h>

#include <vector>

namespace win32 {

std::string TWin32Prompts::AskFileName(const TFileRequest& request) {
    // The filter: its name, then its pattern (every file when none), each ending with a zero.
    std::wstring filter = Wide(request.FilterName);
    filter += L" (" + Wide(request.FilterPattern.empty() ? "*.*" : request.FilterPattern) + L")";
    filter.push_back(L'\0');
    filter += Wide(request.FilterPattern.empty() ? "*.*" : request.FilterPattern);
    filter.push_back(L'\0');
    std::wstring caption = Wide(request.Caption);
    std::wstring folder = Wide(request.Folder);
    std::wstring suffix = Wide(request.DefaultSuffix);
    std::vector<wchar_t> name(32768, L'\0');
    std::wstring proposed = Wide(request.FileName);
    proposed.copy(name.data(), std::min(proposed.size(), name.size() - 1));

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Owner_;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = caption.empty() ? nullptr : caption.c_str();
    dialog.lpstrDefExt = suffix.empty() ? nullptr : suffix.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
    BOOL chosen;
    if (request.Kind == TFileRequest::Save) {
        dialog.Flags |= OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
        chosen = GetSaveFileNameW(&dialog);
    } else {
        dialog.Flags |= OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
        chosen = GetOpenFileNameW(&dialog);
    }
    return chosen ? Utf8(name.data()) : std::string();
}

void TWin32Prompts::ShowError(const std::string& message) {
    MessageBoxW(Owner_, Wide(message).c_str(), Wide(uitext::AppTitle).c_str(),
                MB_OK | MB_ICONERROR);
}

} // namespace win32
