#include "checkers/CheckerTexts.h"

#include "platform/CodePage.h"

const TCheckerTexts& CheckerTexts() {
    static const TCheckerTexts texts = [] {
        auto c = [](const char* utf8) { return platform::Utf8ToCp932(utf8); };
        TCheckerTexts t;
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
