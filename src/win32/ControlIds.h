// The names by which the windows of vetrin.exe are found: window classes, control identifiers and
// command identifiers. They are stable: the test driver (tests/win32driver) finds windows and
// controls by them, as an accessibility tool or a script would.
#pragma once

namespace win32ids {

// Window classes
inline constexpr wchar_t FrameClass[] = L"VetrinFrame";
inline constexpr wchar_t ProjectClass[] = L"VetrinProject";
inline constexpr wchar_t ResultClass[] = L"VetrinResult";
inline constexpr wchar_t LogClass[] = L"VetrinLog";
inline constexpr wchar_t StatisticsClass[] = L"VetrinStatistics";

// Menu commands of the frame
enum : int {
    MenuOptions = 100,
    MenuCascade = 101,
    MenuTile = 102,
    MenuAbout = 103, // ヘルプ → バージョン情報: a message box with the version
    // The ウィンドウ menu lists the child windows from this identifier on.
    FirstChildWindow = 200,
};

// Controls of the project window
enum : int {
    TargetProjectPath = 1001,
    OpenFile = 1002,
    TabPages = 1003,
    IsClear = 1004,
    SaveWithResult = 1005,
    SaveAs = 1006,
    Open = 1007,
    Analyze = 1008,
    Check = 1009,
    SpeedButton2 = 1010, // 全てチェックする
    SpeedButton1 = 1011, // 統計
    Stop = 1012,         // 中止
    Progress = 1013,
    Label1 = 1014,
    // The rule rows: tick box FirstRuleCheckBox + row, "…" button FirstRuleButton + row.
    FirstRuleCheckBox = 1100,
    FirstRuleButton = 1200,
};

// The result and log windows' lists, and the result window's commands (context menu)
enum : int {
    Result = 2001,
    Log = 2002,
    Edit1 = 2010,     // 編集 (F10, Enter, double click)
    Copy1 = 2011,     // コピー
    SelectAll1 = 2012 // すべて選択
};

// The statistics window
enum : int {
    CommentStatisticsGrid = 3001,
    ShowFullPath = 3010,
    ShowGraphOnly = 3011,
};

// Dialogs: OK and Cancel are IDOK and IDCANCEL; Undo and the option dialog's editor box:
enum : int {
    Undo = 4001,
    EditorName = 4002,
    EditorBrowse = 4003,
    // A settings dialog's fields: FirstSettingField + the field's index.
    FirstSettingField = 4100,
};

} // namespace win32ids
