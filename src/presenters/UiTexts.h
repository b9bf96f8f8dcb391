// The desktop's captions and messages, for every face: each text once, keyed by its name, with its
// Japanese and its English form side by side, written in UTF-8. A face asks for a text in the
// process's language (Text, or Format for a message with fields) and converts it at its edge
// (QString, UTF-16). A field is written {name} in both forms; a pair whose two forms do not name
// the same fields does not compile.
#pragma once

#include "framework/Language.h"

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

namespace uitext {

class TText {
public:
    consteval TText(const char* japanese, const char* english)
        : Japanese(japanese), English(english) {
        if (!SameFields(Japanese, English)) throw "the two forms name different fields";
    }

    std::string_view Japanese;
    std::string_view English;

    std::string_view In(TLanguage language) const {
        return language == TLanguage::English ? English : Japanese;
    }

private:
    // The n-th "{name}" of a text (empty past the last).
    static consteval std::string_view NthField(std::string_view text, int n) {
        std::size_t from = 0;
        for (;;) {
            std::size_t open = text.find('{', from);
            if (open == std::string_view::npos) return {};
            std::size_t close = text.find('}', open);
            if (close == std::string_view::npos) return {};
            if (n-- == 0) return text.substr(open, close - open + 1);
            from = close + 1;
        }
    }
    static consteval int FieldCount(std::string_view text) {
        int n = 0;
        while (!NthField(text, n).empty())
            ++n;
        return n;
    }
    static consteval bool HasField(std::string_view text, std::string_view field) {
        for (int i = 0; i < FieldCount(text); ++i)
            if (NthField(text, i) == field) return true;
        return false;
    }
    // Each form names every field of the other (the order may differ between the languages).
    static consteval bool SameFields(std::string_view a, std::string_view b) {
        for (int i = 0; i < FieldCount(a); ++i)
            if (!HasField(b, NthField(a, i))) return false;
        for (int i = 0; i < FieldCount(b); ++i)
            if (!HasField(a, NthField(b, i))) return false;
        return true;
    }
};

// A field's value in a message, UTF-8.
struct TField {
    std::string_view Name; // without the braces: "count"
    std::string_view Value;
};

// The text in the process's language (CurrentLanguage()).
std::string_view Text(const TText& text);
// The message in the process's language with each {name} replaced by its field's value; a value
// is never searched for fields itself.
std::string Format(const TText& message, std::initializer_list<TField> fields);

inline constexpr TText AppTitle{"Vetrin for VB5と6", "Vetrin for VB5 and VB6"};

// Main window
inline constexpr TText MenuSettings{"設定(&S)", "&Settings"};
inline constexpr TText MenuOptions{"オプション(&O)", "&Options..."};
inline constexpr TText MenuWindow{"ウィンドウ(&W)", "&Window"};
inline constexpr TText MenuCascade{"重ねて表示(&C)", "&Cascade"};
inline constexpr TText MenuTile{"並べて表示(&T)", "&Tile"};
inline constexpr TText MenuHelp{"ヘルプ(&H)", "&Help"};
inline constexpr TText MenuAbout{"バージョン情報(&A)…", "&About Vetrin"};

// The About box: the program's name, its version (the build's version text) and licence.
inline constexpr TText AboutCaption{"バージョン情報", "About Vetrin"};
inline constexpr TText AboutVersion{"バージョン {version}", "Version {version}"};
inline constexpr TText AboutLicence{"MIT ライセンス (Copyright (c) 2026 the Vetrin developers)",
                                    "MIT License (Copyright (c) 2026 the Vetrin developers)"};

// Project window
inline constexpr TText ProjectCaption{"ﾌﾟﾛｼﾞｪｸﾄ", "Project"};
inline constexpr TText ProjectLabel{"VBﾌﾟﾛｼﾞｪｸﾄ(&P):", "VB &project:"};
inline constexpr TText ProjectDialogTitle{"VBﾌﾟﾛｼﾞｪｸﾄ", "Select VB Project"};
inline constexpr TText Ellipsis{"…", "..."};
inline constexpr TText ClearAtStart{"開始時にログをクリア", "Clear log before each run"};
inline constexpr TText SaveWithResult{"解析結果も保存", "Also save results"};
inline constexpr TText Save{"保存", "Save..."};
inline constexpr TText Open{"開く", "Open..."};
inline constexpr TText Analyze{"解析", "Analyze"};
inline constexpr TText Check{"チェック", "Check"};
inline constexpr TText Stop{"中止", "Stop"};
inline constexpr TText CheckAll{"全てチェックする", "Select All"};
inline constexpr TText Statistics{"統計", "Statistics"};
inline constexpr TText VbProjectFilterName{"VBﾌﾟﾛｼﾞｪｸﾄ", "VB Projects"};
inline constexpr TText CheckerProjectFilterName{"Vetrinﾌﾟﾛｼﾞｪｸﾄ", "Vetrin Projects"};
// The path box names no project (empty or blanks only).
inline constexpr TText NoProjectNamed{
    "VBﾌﾟﾛｼﾞｪｸﾄが指定されていません。ﾌﾟﾛｼﾞｪｸﾄ (.vbp) のパスを入力するか、… で選んでください。",
    "No VB project is specified. Enter the path of a project file (.vbp), or click ... to "
    "choose one."};
// The log line of a run stopped with 中止.
inline constexpr TText RunStopped{"中止しました。ここまでの結果を表示しています。",
                                  "Stopped. Showing the results found so far."};

// Option dialog
inline constexpr TText OptionCaption{"オプション", "Options"};
inline constexpr TText EditorLabel{"エディタ(&E)", "&Editor:"};
inline constexpr TText CodePageLabel{"ソースのコードページ(&C)", "Source &code page:"};
inline constexpr TText FileNamePlaceholder{"%F ファイル名", "%F file name"};
inline constexpr TText LinePlaceholder{"%L 行番号", "%L line number"};
inline constexpr TText LanguageLabel{"表示言語(&L)", "&Language:"};
inline constexpr TText LanguageOfSystem{"システムの設定に従う", "System default"};
inline constexpr TText LanguageAtNextStart{
    "表示言語の変更は次回の起動から有効になります。",
    "The new language takes effect the next time Vetrin starts."};
inline constexpr TText Ok{"OK", "OK"};
inline constexpr TText Cancel{"ｷｬﾝｾﾙ", "Cancel"};
inline constexpr TText EditorProgramCaption{"エディタ", "Select Editor"};
inline constexpr TText ProgramFilterName{"すべてのファイル", "All Files"};

// Result and log windows
inline constexpr TText ResultCaption{"結果", "Results"};
inline constexpr TText LogCaption{"ログ", "Log"};
inline constexpr TText ResultCaptionWithCount{"結果 ({count}件)", "Results ({count})"};
inline constexpr TText Edit{"編集", "&Edit"};
inline constexpr TText Copy{"コピー(&C)", "&Copy"};
inline constexpr TText SelectAll{"すべて選択(&A)", "Select &All"};
// F10 and no editor to start: none set, one without %F or %L, or one that did not start.
inline constexpr TText NoEditorSet{
    "エディタが設定されていません。設定 → オプション でエディタのコマンドライン (%F ファイル名、"
    "%L 行番号) を入れてください。",
    "No editor is set. Enter the editor's command line under Settings > Options (%F for the file "
    "name, %L for the line number)."};
inline constexpr TText EditorWithoutParameters{
    "エディタのコマンドライン「{command}」にパラメータがありません。%F (ファイル名) と %L "
    "(行番号) を加えてください。",
    "The editor command line \"{command}\" has no parameters. Add %F (file name) and %L (line "
    "number)."};
inline constexpr TText EditorNotStarted{"エディタを起動できません: {command}",
                                        "The editor could not be started: {command}"};

// Rule settings dialogs
inline constexpr TText Undo{"元に戻す(&D)", "Un&do"};
inline constexpr TText ErrorCaption{"ｴﾗｰ", "Error"};
// The three controls read as one sentence: 自動インクリメントが 有効|無効 であること.
inline constexpr TText AutoIncrementLabel{"自動インクリメントが(&L)", "&Auto-increment must be"};
inline constexpr TText AutoIncrementOn{"有効", "on"};
inline constexpr TText AutoIncrementOff{"無効", "off"};
inline constexpr TText AutoIncrementTail{"であること", ""};
inline constexpr TText ExceptEventProcedure{"ｲﾍﾞﾝﾄﾌﾟﾛｼｰｼﾞｬの引数を除く",
                                            "Skip arguments of event procedures"};
inline constexpr TText ExceptArgumentsLabel{"次の名前の引数を除く(&L)", "Skip arguments &named:"};
inline constexpr TText ExceptFilesLabel{"次のファイルを除く(&L)", "Exclude these &files:"};
inline constexpr TText NamingRuleLabel{"ファイル命名規則(&L)", "File &naming rules:"};
inline constexpr TText NamingKindHeader{"ファイルの種類", "File Type"};
inline constexpr TText NamingPatternHeader{"パターン", "Pattern"};
inline constexpr TText ExceptSubMain{"Sub Mainはチェックしない", "Do not check Sub Main"};
// The three controls read as one sentence: 一行の長さは N 文字以下とする.
inline constexpr TText MaxLengthLabel{"一行の長さは(&L)", "&Limit lines to"};
inline constexpr TText MaxLengthTail{"文字以下とする", "characters"};

// Settings forms: a value a field cannot hold.
inline constexpr TText NotANumber{"数値を入力して下さい", "Enter a number."};
inline constexpr TText NumberAtLeast{"{min} 以上の数値を入力して下さい",
                                     "Enter a number of {min} or more."};
inline constexpr TText NumberBetween{"{min} から {max} までの数値を入力して下さい",
                                     "Enter a number from {min} to {max}."};

// Statistics window
inline constexpr TText StatisticsPage{"コメント統計", "Comment Statistics"};
inline constexpr std::array<TText, 5> StatisticsHeaders = {
    TText{"ファイル名", "File Name"}, TText{"総行数", "Total Lines"},
    TText{"実行行数", "Code Lines"}, TText{"空行数", "Blank Lines"},
    TText{"コメント行数", "Comment Lines"}};
inline constexpr TText ShowFullPath{"フルパスで表示", "Show Full Paths"};
inline constexpr TText ShowGraphOnly{"グラフだけ表示", "Show Graph Only"};
inline constexpr TText HideGraph{"HideGraph", "Hide Graph"};
inline constexpr TText Total{"合計", "Total"};

// The About box's text for a build of the given version: name, version and licence, a line each.
std::string AboutText(std::string_view version);

// The languages as the option dialog offers them: each in its own name, whatever the language of
// the windows.
inline constexpr std::string_view JapaneseName = "日本語";
inline constexpr std::string_view EnglishName = "English";

// Not texts: the file patterns, and the word each category tab's control names carry (in
// category order).
inline constexpr std::string_view VbProjectPattern = "*.vbp";
inline constexpr std::string_view VbProjectSuffix = "vbp";
inline constexpr std::string_view CheckerProjectPattern = "*.vrp";
inline constexpr std::string_view CheckerProjectSuffix = "vrp";
inline constexpr std::array<std::string_view, 6> CategoryWords = {
    "Global", "Unused", "Prohibit", "Naming", "Statistics", "Other"};

} // namespace uitext
