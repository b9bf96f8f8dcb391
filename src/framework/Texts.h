// The framework's Japanese texts, written once in UTF-8 and converted to code page 932 once.
#pragma once

#include <string>

struct TFrameworkTexts {
    std::string NotInteger;    // "'%s' は整数ではありません"
    std::string MissingLines;  // "件数 %d に対して行が足りません (残り %s 行)"
    std::string NoRuleSection; // "ルールの設定が一つもありません"
    std::string AtFileLine;    // "%s(%d) : " before a message about a line of a file
    std::string AssertFormat;  // "%s (%s, %d 行)"
    std::string AssertDefault; // "アサート失敗"
    std::string FileOpen;      // "ファイル %s は開けません"
    std::string FileCreate;    // "ファイル %s を作成できません"
    std::string Abstract;      // "Abstract エラー"
    std::string InvalidMask; // "%1:d 番目の文字（'%0:s'）は正しくないマスク文字です"
    std::string ListIndex; // list index error
    std::string ShowDetail; // "ShowDetailエラー:このメソッドはinheritedしてはいけない"
    std::string RunChecking;   // "」をチェック中 : "
    std::string RunOpen;       // "「"
    std::string SkipNotParsed; // "スキップ(解析されていない)"
    std::string SkipNotTarget; // "スキップ(チェック対象外)"
    std::string Done;          // "完了(Time:"
    std::string Parsing;       // " を解析中..."
    std::string ParseDone;     // "完了( Line:"
    std::string NotFound;      // "▼ ファイルが見つかりません:"
};

// The texts in code page 932.
const TFrameworkTexts& FwTexts();
