// The desktop's captions and messages, written once in UTF-8, for every face. A face converts
// them at its edge (QString, UTF-16); messages with a "%1" take one value, in UTF-8.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace uitext {

inline constexpr std::string_view AppTitle = "Vetrin for VB5と6";

// Main window
inline constexpr std::string_view MenuSettings = "設定(&S)";
inline constexpr std::string_view MenuOptions = "オプション(&O)";
inline constexpr std::string_view MenuWindow = "ウィンドウ(&W)";
inline constexpr std::string_view MenuCascade = "重ねて表示(&C)";
inline constexpr std::string_view MenuTile = "並べて表示(&T)";
inline constexpr std::string_view MenuHelp = "ヘルプ(&H)";
inline constexpr std::string_view MenuAbout = "バージョン情報(&A)…";

// The About box: the program's name, its version ("%1", the build's version text) and licence.
inline constexpr std::string_view AboutCaption = "バージョン情報";
inline constexpr std::string_view AboutVersion = "バージョン %1";
inline constexpr std::string_view AboutLicence =
    "MIT ライセンス (Copyright (c) 2026 the Vetrin developers)";

// Project window
inline constexpr std::string_view ProjectCaption = "ﾌﾟﾛｼﾞｪｸﾄ";
inline constexpr std::string_view ProjectLabel = "VBﾌﾟﾛｼﾞｪｸﾄ(&P):";
inline constexpr std::string_view ProjectDialogTitle = "VBﾌﾟﾛｼﾞｪｸﾄ";
inline constexpr std::string_view Ellipsis = "…";
inline constexpr std::string_view ClearAtStart = "開始時にログをクリア";
inline constexpr std::string_view SaveWithResult = "解析結果も保存";
inline constexpr std::string_view Save = "保存";
inline constexpr std::string_view Open = "開く";
inline constexpr std::string_view Analyze = "解析";
inline constexpr std::string_view Check = "チェック";
inline constexpr std::string_view Stop = "中止";
inline constexpr std::string_view CheckAll = "全てチェックする";
inline constexpr std::string_view Statistics = "統計";
inline constexpr std::string_view VbProjectFilterName = "VBﾌﾟﾛｼﾞｪｸﾄ";
inline constexpr std::string_view VbProjectPattern = "*.vbp";
inline constexpr std::string_view VbProjectSuffix = "vbp";
inline constexpr std::string_view CheckerProjectFilterName = "Vetrinﾌﾟﾛｼﾞｪｸﾄ";
inline constexpr std::string_view CheckerProjectPattern = "*.vrp";
inline constexpr std::string_view CheckerProjectSuffix = "vrp";
// The path box names no project (empty or blanks only).
inline constexpr std::string_view NoProjectNamed =
    "VBﾌﾟﾛｼﾞｪｸﾄが指定されていません。ﾌﾟﾛｼﾞｪｸﾄ (.vbp) のパスを入力するか、… で選んでください。";
// The log line of a run stopped with 中止.
inline constexpr std::string_view RunStopped = "中止しました。ここまでの結果を表示しています。";

// The word each category tab's control names carry, in category order.
inline constexpr std::array<std::string_view, 6> CategoryWords = {
    "Global", "Unused", "Prohibit", "Naming", "Statistics", "Other"};

// Option dialog
inline constexpr std::string_view OptionCaption = "オプション";
inline constexpr std::string_view EditorLabel = "エディタ(&E)";
inline constexpr std::string_view CodePageLabel = "ソースのコードページ(&C)";
inline constexpr std::string_view FileNamePlaceholder = "%F ファイル名";
inline constexpr std::string_view LinePlaceholder = "%L 行番号";
inline constexpr std::string_view Ok = "OK";
inline constexpr std::string_view Cancel = "ｷｬﾝｾﾙ";
inline constexpr std::string_view EditorProgramCaption = "エディタ";
inline constexpr std::string_view ProgramFilterName = "すべてのファイル";

// Result and log windows
inline constexpr std::string_view ResultCaption = "結果";
inline constexpr std::string_view LogCaption = "ログ";
inline constexpr std::string_view ResultCaptionWithCount = "結果 (%1件)";
inline constexpr std::string_view Edit = "編集";
inline constexpr std::string_view Copy = "コピー(&C)";
inline constexpr std::string_view SelectAll = "すべて選択(&A)";
// F10 and no editor to start: none set, one without %F or %L, or one that did not start.
inline constexpr std::string_view NoEditorSet =
    "エディタが設定されていません。設定 → オプション でエディタのコマンドライン (%F ファイル名、"
    "%L 行番号) を入れてください。";
inline constexpr std::string_view EditorWithoutParameters =
    "エディタのコマンドライン「%1」にパラメータがありません。%F (ファイル名) と %L (行番号) を"
    "加えてください。";
inline constexpr std::string_view EditorNotStarted = "エディタを起動できません: %1";

// Settings forms: a value a field cannot hold ("%1" the lower, then the upper limit).
inline constexpr std::string_view NotANumber = "数値を入力して下さい";
inline constexpr std::string_view NumberAtLeast = "%1 以上の数値を入力して下さい";
inline constexpr std::string_view NumberBetween = "%1 から %1 までの数値を入力して下さい";

// Statistics window
inline constexpr std::string_view StatisticsPage = "コメント統計";
inline constexpr std::array<std::string_view, 5> StatisticsHeaders = {
    "ファイル名", "総行数", "実行行数", "空行数", "コメント行数"};
inline constexpr std::string_view ShowFullPath = "フルパスで表示";
inline constexpr std::string_view ShowGraphOnly = "グラフだけ表示";
inline constexpr std::string_view HideGraph = "HideGraph";
inline constexpr std::string_view Total = "合計";

// A message with its "%1" replaced by value (the first one only).
std::string Format(std::string_view message, std::string_view value);

// The About box's text for a build of the given version: name, version and licence, a line each.
std::string AboutText(std::string_view version);

} // namespace uitext
