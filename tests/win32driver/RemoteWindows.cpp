#include "RemoteWindows.h"

#include <commctrl.h>

namespace driver {

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    for (int waited = 0;; waited += 50) {
        if (condition()) return true;
        if (waited >= timeoutMs) return false;
        Sleep(50);
    }
}

std::vector<HWND> TopWindows(DWORD processId, const wchar_t* className) {
    struct TSearch {
        DWORD ProcessId;
        const wchar_t* ClassName;
        std::vector<HWND> Found;
    } search{processId, className, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* search = reinterpret_cast<TSearch*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (owner == search->ProcessId && lstrcmpW(name, search->ClassName) == 0 &&
                IsWindowVisible(window))
                search->Found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

HWND MdiClient(HWND frame) { return FindWindowExW(frame, nullptr, L"MDIClient", nullptr); }

HWND MdiChild(HWND frame, const wchar_t* className) {
    return FindWindowExW(MdiClient(frame), nullptr, className, nullptr);
}

HWND Descendant(HWND window, int id) {
    struct TSearch {
        int Id;
        HWND Found;
    } search{id, nullptr};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
            auto* search = reinterpret_cast<TSearch*>(data);
            if (GetDlgCtrlID(child) != search->Id) return TRUE;
            search->Found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

std::wstring Text(HWND window) {
    // WM_GETTEXT itself: GetWindowText does not ask a control of another process.
    auto length = static_cast<std::size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(length + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

void SetText(HWND window, const std::wstring& text) {
    SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool IsEnabled(HWND window) { return window && IsWindowEnabled(window); }

void Press(HWND control) {
    PostMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
                 reinterpret_cast<LPARAM>(control));
}

bool PressAndWait(HWND control, int timeoutMs) {
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(GetParent(control), WM_COMMAND,
                               MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
                               reinterpret_cast<LPARAM>(control), SMTO_NORMAL,
                               static_cast<UINT>(timeoutMs), &answer) != 0;
}

int RowCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

std::wstring RowText(HWND list, int row, int column) {
    // The list view writes into the memory of its own process: an item record and a buffer are
    // lent there, and read back.
    DWORD processId = 0;
    GetWindowThreadProcessId(list, &processId);
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (!process) return {};
    constexpr int capacity = 4096;
    std::size_t size = sizeof(LVITEMW) + capacity * sizeof(wchar_t);
    auto* remote = static_cast<char*>(
        VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    std::wstring text;
    if (remote) {
        LVITEMW item{};
        item.iSubItem = column;
        item.cchTextMax = capacity;
        item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
        WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
        auto length = static_cast<int>(
            SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(remote)));
        text.resize(static_cast<std::size_t>(length));
        ReadProcessMemory(process, remote + sizeof(LVITEMW), text.data(),
                          text.size() * sizeof(wchar_t), nullptr);
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return text;
}

std::vector<std::wstring> Rows(HWND list, int columns) {
    std::vector<std::wstring> rows;
    int count = RowCount(list);
    for (int row = 0; row < count; ++row) {
        std::wstring line;
        for (int column = 0; column < columns; ++column) {
            if (column > 0) line += L'\t';
            line += RowText(list, row, column);
        }
        rows.push_back(line);
    }
    return rows;
}

void TypeKey(WORD key, WORD modifier) {
    std::vector<INPUT> inputs;
    auto add = [&inputs](WORD virtualKey, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtualKey;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    if (modifier) add(modifier, false);
    add(key, false);
    add(key, true);
    if (modifier) add(modifier, true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Sleep(100);
}

void Activate(HWND frame, HWND child) {
    SetForegroundWindow(frame);
    SendMessageW(MdiClient(frame), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
    Sleep(200);
}

std::wstring ClipboardText() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

} // namespace driver
