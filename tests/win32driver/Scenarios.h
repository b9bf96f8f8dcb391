// What the driver does with a running vetrin.exe: one function per scenario, each answering
// whether the program behaved (a failure is described on stdout).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace driver {

struct TApp {
    HWND Frame = nullptr;
    DWORD ProcessId = 0;
};

// A failure: printed, and the scenario fails.
bool Fail(const std::string& what);

// Check from the command line's project; the result rows equal the expected lines, and Select
// All and Copy put them on the clipboard.
bool CheckScenario(const TApp& app, const std::vector<std::wstring>& expected);
// A check of a large project: while it runs the frame answers and 中止 is offered; 中止 ends
// the run early, the log's last line says so, and チェック is offered again.
bool StopScenario(const TApp& app);
// Check, then F10 on the second result row: the stand-in editor records its arguments in
// recordFile; they are the parameters with the row's line and file put in, the file one argument.
bool EditorScenario(const TApp& app, const std::wstring& recordFile);
// Check, then 統計: the statistics rows (tab-separated columns) equal the expected lines.
bool StatisticsScenario(const TApp& app, const std::vector<std::wstring>& expected);
// The line length rule's dialog: Cancel keeps the setting, OK takes it, a negative limit is
// refused.
bool DialogScenario(const TApp& app);
// ヘルプ → バージョン情報: a message box that names the version of the program's own version
// record (FileVersion), closed with OK.
bool AboutScenario(const TApp& app);
// Every rule ticked, then the time from the press on チェック to the run's end with the last
// finding in the result list, printed as a RESULT line (the best of `rounds`).
bool BenchScenario(const TApp& app, int rounds);
// Check and 統計, then the program stays as it is while readyFile exists (created here, deleted by
// whoever takes the screenshot; at most a minute).
bool ShowScenario(const TApp& app, const std::wstring& readyFile);

} // namespace driver
