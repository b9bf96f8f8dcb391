#include "checkers/VbProhibitImplicitVariant.h"

#include "platform/CodePage.h"

#include <algorithm>

namespace {

// No As, no suffix, and no Def statement for the first letter.
bool Implicit(const TVbSyntax& syntax, std::string_view name, const TVbTypeSpec& type) {
    if (type.HasAs || type.Suffix != 0 || name.empty()) return false;
    const char first = static_cast<char>(name[0] & ~0x20);
    if (first >= 'A' && first <= 'Z' &&
        !syntax.DefTypes[static_cast<std::size_t>(first - 'A')].empty())
        return false;
    return true;
}

} // namespace

void TVbProhibitImplicitVariant::CheckSyntax(const TVbSource&, const TVbSyntax& syntax) {
    constexpr TText variable = TText::ImplicitVariantVariable;
    constexpr TText argument = TText::ImplicitVariantArgument;
    constexpr TText function = TText::ImplicitVariantFunction;
    struct TFound {
        std::int32_t Line;
        TText Message;
        std::string_view Name;
    };
    std::vector<TFound> found;
    auto parameters = [&](std::int32_t first, std::int32_t count) {
        for (std::int32_t k = 0; k < count; ++k) {
            const TVbParameter& p = syntax.Parameters[static_cast<std::size_t>(first + k)];
            // A ParamArray is a Variant array by definition.
            if (!p.ParamArray && Implicit(syntax, p.Name, p.Type))
                found.push_back({p.Line, argument, p.Name});
        }
    };
    for (const TVbProcedure& p : syntax.Procedures) {
        if (p.Twin) continue;
        if ((p.Kind == TVbProcedureKind::Function || p.Kind == TVbProcedureKind::PropertyGet) &&
            Implicit(syntax, p.Name, p.Type))
            found.push_back({p.Line, function, p.Name});
        parameters(p.FirstParameter, p.ParameterCount);
    }
    for (const TVbDeclaration& d : syntax.Declarations) {
        if (d.Twin) continue;
        switch (d.Kind) {
        case TVbDeclarationKind::Variable:
        case TVbDeclarationKind::TypeMember:
            if (Implicit(syntax, d.Name, d.Type)) found.push_back({d.Line, variable, d.Name});
            break;
        case TVbDeclarationKind::Declare:
            if (Implicit(syntax, d.Name, d.Type)) found.push_back({d.Line, function, d.Name});
            parameters(d.FirstParameter, d.ParameterCount);
            break;
        case TVbDeclarationKind::Event:
            parameters(d.FirstParameter, d.ParameterCount);
            break;
        default:
            break;
        }
    }
    // In line order, as a reader meets them.
    std::stable_sort(found.begin(), found.end(),
                     [](const TFound& a, const TFound& b) { return a.Line < b.Line; });
    for (const TFound& f : found)
        ReportAt(f.Message, {{"name", f.Name}}, f.Line);
}
