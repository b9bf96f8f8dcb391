#include "framework/Texts.h"

#include "platform/CodePage.h"

const TFrameworkTexts& FwTexts() {
    static const TFrameworkTexts texts = [] {
        auto c = [](const char* utf8) { return platform::Utf8ToCp932(utf8); };
        TFrameworkTexts t;
        t.NotInteger = c("'%s' は整数ではありません");
        t.MissingLines = c("件数 %d に対して行が足りません (残り %s 行)");
        t.NoRuleSection = c("ルールの設定が一つもありません");
        t.AtFileLine = c("%s(%d) : ");
        t.AssertFormat = c("%s (%s, %d 行)");
        t.AssertDefault = c("アサート失敗");
        t.FileOpen = c("ファイル %s は開けません");
        t.FileCreate = c("ファイル %s を作成できません");
        t.Abstract = c("Abstract エラー");
        t.InvalidMask = c("%1:d 番目の文字（'%0:s'）は正しくないマスク文字です");
        t.ListIndex = c("リストのインデックスが範囲を超えています (%d)");
        t.ShowDetail = c("ShowDetailエラー:このメソッドはinheritedしてはいけない");
        t.RunChecking = c("」をチェック中 : ");
        t.RunOpen = c("「");
        t.SkipNotParsed = c("スキップ(解析されていない)");
        t.SkipNotTarget = c("スキップ(チェック対象外)");
        t.Done = c("完了(Time:");
        t.Parsing = c(" を解析中...");
        t.ParseDone = c("完了( Line:");
        t.NotFound = c("▼ ファイルが見つかりません:");
        return t;
    }();
    return texts;
}
