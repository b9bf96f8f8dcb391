#include "checkers/CheckerTexts.h"

#include "platform/CodePage.h"

const TCheckerTexts& CheckerTexts() {
    static const TCheckerTexts texts = [] {
        auto c = [](const char* utf8) { return platform::Utf8ToCp932(utf8); };
        TCheckerTexts t;
        t.NoOptionExplicit = c("Option Explicit がありません。");
        t.AutoIncrementOff = c("バージョン番号の自動インクリメントが無効になっています。");
        t.AutoIncrementOn = c("バージョン番号の自動インクリメントが有効になっています。");
        t.UnusedLocalOpen = c("ローカル変数 ");
        t.UnusedArgumentOpen = c("引数 ");
        t.UnusedClose = c(" は未使用です。");
        t.NamingViolationOpen = c("ファイルの命名規則に違反しています。(");
        t.NamingViolationClose = c(")");
        t.ImplicitPublicOpen = c("メソッド ");
        t.ImplicitPublicClose = c(" は暗黙的にPublic宣言されています");
        t.ImplicitPublicSearchFailed = c("■検索失敗:TVbProhibitImplicitPublicDeclaration:");
        t.LineTooLongOpen = c("一行の長さが制限(");
        t.LineTooLongClose = c("文字)を越えています。");

        const char* labels[8] = {
            "全てのファイル",          "プロジェクト(*.vbp)", "フォーム(*.frm)",
            "標準モジュール(*.bas)",   "クラス(*.cls)",       "ユーザコントロール(*.ctl)",
            "プロパティページ(*.pag)", "上記以外のファイル",
        };
        for (int i = 0; i < 8; ++i)
            t.NamingLabels[i] = c(labels[i]);
        return t;
    }();
    return texts;
}
