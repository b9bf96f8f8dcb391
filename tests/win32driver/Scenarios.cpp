#include "Scenarios.h"

#include "RemoteWindows.h"
#include "win32/ControlIds.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace driver {

namespace {

constexpr int RunTimeoutMs = 60000;
// The line length rule's row: the last of the nine rules.
constexpr int LineLengthRow = 8;

HWND ProjectWindow(const TApp& app) { return MdiChild(app.Frame, win32ids::ProjectClass); }
HWND ResultList(const TApp& app) {
    return GetDlgItem(MdiChild(app.Frame, win32ids::ResultClass), win32ids::Result);
}
HWND LogList(const TApp& app) {
    return GetDlgItem(MdiChild(app.Frame, win32ids::LogClass), win32ids::Log);
}

std::string Narrow(const std::wstring& text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}

// What the open dialogs and message boxes say, for a failure's description.
std::string OpenDialogs(const TApp& app) {
    std::wstring said;
    for (HWND dialog : TopWindows(app.ProcessId, L"#32770")) {
        said += L" [" + Text(dialog) + L":";
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            said += L" " + Text(child);
        said += L"]";
    }
    return Narrow(said);
}

// Presses チェック and waits for the run to end: 中止 is shown only while a run goes (from the
// press on, since the press starts the run before it returns).
bool RunCheck(const TApp& app) {
    HWND project = ProjectWindow(app);
    HWND check = GetDlgItem(project, win32ids::Check);
    HWND stop = GetDlgItem(project, win32ids::Stop);
    if (!check || !stop) return Fail("no チェック or 中止 button");
    if (IsEnabled(stop) && IsWindowVisible(stop)) return Fail("中止 is offered with no run");
    if (!PressAndWait(check, 10000)) return Fail("チェック does not return" + OpenDialogs(app));
    bool ended =
        WaitUntil([&] { return !IsWindowVisible(stop) && IsEnabled(check); }, RunTimeoutMs);
    if (!ended)
        return Fail("the check did not end (中止 " +
                    std::string(IsWindowVisible(stop) ? "shown" : "hidden") + ", チェック " +
                    (IsEnabled(check) ? "enabled" : "disabled") + ")" + OpenDialogs(app));
    if (!OpenDialogs(app).empty()) return Fail("the check ended with" + OpenDialogs(app));
    if (RowCount(LogList(app)) == 0) return Fail("the check wrote no log");
    // The frame answers while the program is idle again.
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(app.Frame, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer))
        return Fail("the frame does not answer");
    return true;
}

bool SameLines(const std::vector<std::wstring>& shown, const std::vector<std::wstring>& expected,
               const char* what) {
    if (shown == expected) return true;
    Fail(std::string(what) + ": " + std::to_string(shown.size()) + " rows, expected " +
         std::to_string(expected.size()));
    for (std::size_t i = 0; i < shown.size() || i < expected.size(); ++i) {
        std::wstring a = i < shown.size() ? shown[i] : L"(none)";
        std::wstring b = i < expected.size() ? expected[i] : L"(none)";
        if (a != b) Fail("  row " + std::to_string(i) + ": " + Narrow(a) + " | " + Narrow(b));
    }
    return false;
}

// The first dialog or message box of the program, once one is open (null after 10 seconds).
HWND WaitForDialog(const TApp& app) {
    HWND dialog = nullptr;
    WaitUntil(
        [&] {
            auto dialogs = TopWindows(app.ProcessId, L"#32770");
            dialog = dialogs.empty() ? nullptr : dialogs.front();
            return dialog != nullptr;
        },
        10000);
    return dialog;
}

// The dialog of the settings of a rule row, opened with its "…" button.
HWND OpenRuleDialog(const TApp& app, int row) {
    Press(Descendant(ProjectWindow(app), win32ids::FirstRuleButton + row));
    return WaitForDialog(app);
}

bool Closes(HWND dialog) {
    return WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 10000);
}

void PressDialogButton(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

} // namespace

bool CheckScenario(const TApp& app, const std::vector<std::wstring>& expected) {
    // Closing a window minimises it; a check that finds something brings the results back.
    HWND result = MdiChild(app.Frame, win32ids::ResultClass);
    SendMessageW(result, WM_CLOSE, 0, 0);
    if (!IsWindow(result) || !IsIconic(result)) return Fail("closing the results did not minimise");
    if (!RunCheck(app)) return false;
    if (IsIconic(result)) return Fail("the check's findings left the results minimised");
    HWND list = ResultList(app);
    if (!SameLines(Rows(list), expected, "result rows")) return false;
    // Select All and Copy: the rows' text, one line each.
    SendMessageW(result, WM_COMMAND, win32ids::SelectAll1, 0);
    SendMessageW(result, WM_COMMAND, win32ids::Copy1, 0);
    std::wstring joined;
    for (const std::wstring& line : expected)
        joined += line + L"\r\n";
    if (ClipboardText() != joined) return Fail("Copy after Select All gives other text");
    // A second check of the unchanged project gives the same rows again (cleared at start).
    if (!RunCheck(app)) return false;
    if (!SameLines(Rows(list), expected, "result rows of the second check")) return false;
    // A minimised window chosen in the ウィンドウ menu comes back: the log, the first listed.
    HWND log = MdiChild(app.Frame, win32ids::LogClass);
    SendMessageW(log, WM_CLOSE, 0, 0);
    SendMessageW(app.Frame, WM_COMMAND, win32ids::FirstChildWindow, 0);
    return !IsIconic(log) || Fail("the ウィンドウ menu left the log minimised");
}

bool StopScenario(const TApp& app) {
    HWND project = ProjectWindow(app);
    HWND check = GetDlgItem(project, win32ids::Check);
    HWND stop = GetDlgItem(project, win32ids::Stop);
    // The press returns once the run has started on its worker thread.
    if (!PressAndWait(check, 10000)) return Fail("チェック does not return" + OpenDialogs(app));
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(app.Frame, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &answer))
        return Fail("the frame does not answer during the run");
    if (!IsWindowVisible(stop) || !IsEnabled(stop) || IsEnabled(check))
        return Fail("中止 is not offered during the run, or チェック is");
    if (!PressAndWait(stop, 10000)) return Fail("中止 does not return");
    if (!WaitUntil([&] { return !IsWindowVisible(stop) && IsEnabled(check); }, RunTimeoutMs))
        return Fail("the run did not end after 中止");
    HWND log = LogList(app);
    int rows = RowCount(log);
    std::wstring last = rows > 0 ? RowText(log, rows - 1) : L"";
    if (last.find(L"中止") == std::wstring::npos)
        return Fail("the log does not end with the stop: " + Narrow(last));
    return OpenDialogs(app).empty() || Fail("the stop ended with" + OpenDialogs(app));
}

bool EditorScenario(const TApp& app, const std::wstring& recordFile) {
    if (!RunCheck(app)) return false;
    HWND list = ResultList(app);
    if (RowCount(list) < 2) return Fail("fewer than two result rows");
    // The row's file and line, from its text "FILE(LINE) : MESSAGE".
    std::wstring row = RowText(list, 1);
    std::size_t colon = row.find(L") : ");
    std::size_t open = row.rfind(L'(', colon);
    if (colon == std::wstring::npos || open == std::wstring::npos)
        return Fail("the second row has no line: " + Narrow(row));
    std::wstring file = row.substr(0, open), line = row.substr(open + 1, colon - open - 1);
    DeleteFileW(recordFile.c_str());
    Activate(app.Frame, MdiChild(app.Frame, win32ids::ResultClass));
    TypeKey(VK_HOME);
    TypeKey(VK_DOWN);
    TypeKey(VK_F10);
    std::vector<std::string> recorded;
    bool started = WaitUntil(
        [&] {
            std::ifstream record(std::filesystem::path(recordFile), std::ios::binary);
            recorded.clear();
            for (std::string text; std::getline(record, text);)
                recorded.push_back(text);
            return recorded.size() >= 2;
        },
        15000);
    if (!started) return Fail("F10 started no editor");
    std::vector<std::string> expected = {"/l" + Narrow(line), Narrow(file)};
    if (recorded != expected)
        return Fail("the editor got \"" + recorded[0] + "\" \"" + recorded[1] + "\", expected \"" +
                    expected[0] + "\" \"" + expected[1] + "\"");
    return true;
}

bool StatisticsScenario(const TApp& app, const std::vector<std::wstring>& expected) {
    if (!RunCheck(app)) return false;
    Press(GetDlgItem(ProjectWindow(app), win32ids::SpeedButton1));
    HWND grid = nullptr;
    WaitUntil(
        [&] {
            grid = GetDlgItem(MdiChild(app.Frame, win32ids::StatisticsClass),
                              win32ids::CommentStatisticsGrid);
            return grid && RowCount(grid) > 0;
        },
        10000);
    if (!grid) return Fail("統計 shows no statistics window");
    return SameLines(Rows(grid, 5), expected, "statistics rows");
}

bool BenchScenario(const TApp& app, int rounds) {
    HWND project = ProjectWindow(app);
    HWND check = GetDlgItem(project, win32ids::Check);
    HWND stop = GetDlgItem(project, win32ids::Stop);
    HWND list = ResultList(app);
    if (!PressAndWait(GetDlgItem(project, win32ids::SpeedButton2), 10000))
        return Fail("全てチェックする does not return");
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    double best = -1;
    int rows = 0;
    for (int round = 0; round < rounds; ++round) {
        QueryPerformanceCounter(&start);
        if (!PressAndWait(check, 60000)) return Fail("チェック does not return");
        while (IsWindowVisible(stop) || !IsEnabled(check))
            Sleep(2);
        rows = RowCount(list);
        if (rows > 0 && RowText(list, rows - 1).empty()) return Fail("the last row is empty");
        QueryPerformanceCounter(&end);
        double ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                    static_cast<double>(frequency.QuadPart);
        if (best < 0 || ms < best) best = ms;
    }
    std::printf("RESULT desktop_ms=%.0f findings=%d log=%d\n", best, rows, RowCount(LogList(app)));
    return OpenDialogs(app).empty() || Fail("the check ended with" + OpenDialogs(app));
}

bool ShowScenario(const TApp& app, const std::wstring& readyFile) {
    if (!RunCheck(app)) return false;
    Press(GetDlgItem(ProjectWindow(app), win32ids::SpeedButton1));
    bool shown = WaitUntil(
        [&] {
            return RowCount(GetDlgItem(MdiChild(app.Frame, win32ids::StatisticsClass),
                                       win32ids::CommentStatisticsGrid)) > 0;
        },
        10000);
    if (!shown) return Fail("統計 shows no statistics window");
    // The result window active, its first row current.
    Activate(app.Frame, MdiChild(app.Frame, win32ids::ResultClass));
    TypeKey(VK_HOME);
    std::ofstream(std::filesystem::path(readyFile)) << "ready\n";
    WaitUntil([&] { return !std::filesystem::exists(std::filesystem::path(readyFile)); }, 60000);
    return true;
}

bool DialogScenario(const TApp& app) {
    HWND dialog = OpenRuleDialog(app, LineLengthRow);
    if (!dialog) return Fail("the line length rule's dialog does not open");
    HWND field = GetDlgItem(dialog, win32ids::FirstSettingField);
    std::wstring before = Text(field);
    if (before.empty()) return Fail("the line limit field is empty");
    // Cancel keeps the rule's setting.
    SetText(field, L"123");
    PressDialogButton(dialog, IDCANCEL);
    if (!Closes(dialog)) return Fail("Cancel does not close the dialog");
    dialog = OpenRuleDialog(app, LineLengthRow);
    if (!dialog || Text(GetDlgItem(dialog, win32ids::FirstSettingField)) != before)
        return Fail("Cancel changed the line limit");
    // Undo puts back the rule's value; OK takes the field's.
    field = GetDlgItem(dialog, win32ids::FirstSettingField);
    SetText(field, L"99");
    PressDialogButton(dialog, win32ids::Undo);
    if (!WaitUntil([&] { return Text(field) == before; }, 5000))
        return Fail("Undo does not put the rule's value back");
    SetText(field, L"123");
    PressDialogButton(dialog, IDOK);
    if (!Closes(dialog)) return Fail("OK does not close the dialog");
    dialog = OpenRuleDialog(app, LineLengthRow);
    if (!dialog || Text(GetDlgItem(dialog, win32ids::FirstSettingField)) != L"123")
        return Fail("OK did not take the line limit");
    // A negative limit is refused: the dialog stays, with a message box over it.
    SetText(GetDlgItem(dialog, win32ids::FirstSettingField), L"-5");
    PressDialogButton(dialog, IDOK);
    HWND box = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : TopWindows(app.ProcessId, L"#32770"))
                if (window != dialog) box = window;
            return box != nullptr;
        },
        10000);
    if (!box) return Fail("a negative line limit is taken without a word");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    if (!WaitUntil([&] { return !IsWindow(box); }, 5000)) return Fail("the message box stays");
    if (!IsWindow(dialog)) return Fail("the dialog closed on a negative line limit");
    PressDialogButton(dialog, IDCANCEL);
    dialog = Closes(dialog) ? OpenRuleDialog(app, LineLengthRow) : nullptr;
    if (!dialog || Text(GetDlgItem(dialog, win32ids::FirstSettingField)) != L"123")
        return Fail("the refused limit changed the rule");
    PressDialogButton(dialog, IDCANCEL);
    return Closes(dialog);
}

namespace {

// The FileVersion string of the version record of the process's executable.
std::wstring FileVersionOf(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process) return L"";
    wchar_t path[MAX_PATH];
    DWORD size = MAX_PATH;
    BOOL named = QueryFullProcessImageNameW(process, 0, path, &size);
    CloseHandle(process);
    if (!named) return L"";
    std::vector<char> record(GetFileVersionInfoSizeW(path, nullptr));
    if (record.empty() ||
        !GetFileVersionInfoW(path, 0, static_cast<DWORD>(record.size()), record.data()))
        return L"";
    wchar_t* text = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(record.data(), L"\\StringFileInfo\\041104B0\\FileVersion",
                        reinterpret_cast<void**>(&text), &length) ||
        length == 0)
        return L"";
    return std::wstring(text, length - 1);
}

} // namespace

bool AboutScenario(const TApp& app) {
    std::wstring version = FileVersionOf(app.ProcessId);
    if (version.empty()) return Fail("vetrin.exe has no version record");
    PostMessageW(app.Frame, WM_COMMAND, MAKEWPARAM(win32ids::MenuAbout, 0), 0);
    HWND box = WaitForDialog(app);
    if (!box) return Fail("バージョン情報 shows nothing");
    std::wstring said;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        said += Text(child) + L"\n";
    if (said.find(version) == std::wstring::npos)
        return Fail("the About box does not name the version " + Narrow(version) + ":" +
                    OpenDialogs(app));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    if (!WaitUntil([&] { return !IsWindow(box); }, 5000)) return Fail("the About box stays");
    return true;
}

} // namespace driver
