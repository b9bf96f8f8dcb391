#include "checkers/VbUnusedModuleDeclarations.h"

#include <optional>

void TVbUnusedModuleDeclarations::ReportMember(const TVbMemberSymbols& member) {
    for (const TVbSymbol& s : member.Symbols) {
        if (!s.Unused) continue;
        std::optional<TText> message;
        switch (s.Kind) {
        case TVbSymbolKind::Variable:
            message = TText::UnusedModuleVariable;
            break;
        case TVbSymbolKind::Constant:
            message = TText::UnusedConstant;
            break;
        case TVbSymbolKind::Declare:
            message = TText::UnusedDeclare;
            break;
        case TVbSymbolKind::Type:
            message = TText::UnusedType;
            break;
        case TVbSymbolKind::Enum:
            message = TText::UnusedEnum;
            break;
        case TVbSymbolKind::Procedure:
            break;
        }
        if (message) ReportAt(*message, {{"name", s.Name}}, s.Line);
    }
}
