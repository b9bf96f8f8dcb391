#include "vbsyntax/VbSyntax.h"

void TVbSyntax::Clear() {
    Words.clear();
    Statements.clear();
    Directives.clear();
    Declarations.clear();
    Parameters.clear();
    Procedures.clear();
    Controls.clear();
    Attributes.clear();
    References.clear();
    ErrorHandling.clear();
    Jumps.clear();
    Implements.clear();
    DefTypes = {};
    Kind = TVbMemberKind::None;
}

std::string_view TVbSyntax::Attribute(std::string_view name) const {
    for (const TVbAttribute& a : Attributes)
        if (SameName(a.Name, name)) {
            std::string_view v = a.Value;
            if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
            return v;
        }
    return {};
}

std::string_view TVbSyntax::ObjectEventPrefix() const {
    switch (Kind) {
    case TVbMemberKind::Form:
        if (!Controls.empty() && SameName(Controls.front().TypeName, "VB.MDIForm"))
            return "MDIForm";
        return "Form";
    case TVbMemberKind::UserControl:
        return "UserControl";
    case TVbMemberKind::PropertyPage:
        return "PropertyPage";
    case TVbMemberKind::Class:
        return "Class";
    default:
        return {};
    }
}

namespace {
// "Prefix_Rest" with a non-empty rest, letter case ignored.
bool HasPrefix(std::string_view name, std::string_view prefix) {
    return !prefix.empty() && name.size() > prefix.size() + 1 && name[prefix.size()] == '_' &&
           SameName(name.substr(0, prefix.size()), prefix);
}
} // namespace

bool TVbSyntax::IsEventOrInterfaceProcedure(const TVbProcedure& procedure) const {
    const std::string_view name = procedure.Name;
    if (name.find('_') == std::string_view::npos) return false;
    if (HasPrefix(name, ObjectEventPrefix())) return true;
    // The member's own object is the first control: its events carry the kind's prefix.
    for (std::size_t i = 1; i < Controls.size(); ++i)
        if (HasPrefix(name, Controls[i].Name)) return true;
    for (const TVbDeclaration& d : Declarations)
        if (d.WithEvents && d.Procedure < 0 && HasPrefix(name, d.Name)) return true;
    for (std::string_view i : Implements)
        if (HasPrefix(name, i)) return true;
    return false;
}

const TVbSyntax& TVbSyntaxCache::For(const TVbSource& source) {
    if (Source_ != &source) {
        Source_ = nullptr;
        BuildSyntax(source, Syntax_);
        Source_ = &source;
    }
    return Syntax_;
}

void TVbSyntaxCache::Clear() {
    Source_ = nullptr;
    Syntax_.Clear();
}
