#include "checkers/VbUnusedModuleDeclarations.h"

#include "platform/CodePage.h"

void TVbUnusedModuleDeclarations::ReportMember(const TVbMemberSymbols& member) {
    static const std::string variable = platform::Utf8ToCp932("モジュール変数 ");
    static const std::string constant = platform::Utf8ToCp932("定数 ");
    static const std::string declare = platform::Utf8ToCp932("Declare ");
    static const std::string type = platform::Utf8ToCp932("ユーザー定義型 ");
    static const std::string enumeration = platform::Utf8ToCp932("列挙型 ");
    static const std::string close = platform::Utf8ToCp932(" は未使用です。");
    for (const TVbSymbol& s : member.Symbols) {
        if (!s.Unused) continue;
        const std::string* open = nullptr;
        switch (s.Kind) {
        case TVbSymbolKind::Variable:
            open = &variable;
            break;
        case TVbSymbolKind::Constant:
            open = &constant;
            break;
        case TVbSymbolKind::Declare:
            open = &declare;
            break;
        case TVbSymbolKind::Type:
            open = &type;
            break;
        case TVbSymbolKind::Enum:
            open = &enumeration;
            break;
        case TVbSymbolKind::Procedure:
            break;
        }
        if (open) ReportAt(*open + s.Name + close, s.Line);
    }
}
