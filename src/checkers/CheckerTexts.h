// The rules' Japanese texts, written once in UTF-8 and converted to code page 932 once.
#pragma once

#include <string>

struct TCheckerTexts {
    // Messages.
    std::string NoOptionExplicit; // "Option Explicit がありません。"
    std::string AutoIncrementOff; // "バージョン番号の自動インクリメントが無効になっています。"
    std::string AutoIncrementOn; // "バージョン番号の自動インクリメントが有効になっています。"
    std::string UnusedLocalOpen;      // "ローカル変数 "
    std::string UnusedArgumentOpen;   // "引数 "
    std::string UnusedClose;          // " は未使用です。"
    std::string NamingViolationOpen;  // "ファイルの命名規則に違反しています。("
    std::string NamingViolationClose; // ")"
    std::string ImplicitPublicOpen;   // "メソッド "
    std::string ImplicitPublicClose;  // " は暗黙的にPublic宣言されています"
    std::string ImplicitPublicSearchFailed; // "■検索失敗:TVbProhibitImplicitPublicDeclaration:"
    std::string LineTooLongOpen;            // "一行の長さが制限("
    std::string LineTooLongClose;           // "文字)を越えています。"

    // The kind labels of the file naming table, rows 0 to 7.
    std::string NamingLabels[8];
};

// The texts in code page 932.
const TCheckerTexts& CheckerTexts();
