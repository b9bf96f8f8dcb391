#include "vbsyntax/VbSymbols.h"

#include <algorithm>
#include <unordered_set>

std::string FoldedName(std::string_view name) {
    std::string folded(name);
    for (char& c : folded)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return folded;
}

bool IsActiveXProjectType(std::string_view type) {
    return SameName(type, "OleDll") || SameName(type, "OleExe") || SameName(type, "Control");
}

namespace {

bool IsPublic(TVbScope scope) {
    return scope == TVbScope::Public || scope == TVbScope::Friend || scope == TVbScope::None;
}

// Distinct names, compared as VB compares them (ASCII letters folded): open addressing on a hash
// of the whole folded name, so that names which differ only inside ("v1000x", "v1001x") spread.
class TNameSet {
public:
    explicit TNameSet(std::size_t expected) {
        std::size_t size = 64;
        while (size < expected * 2)
            size *= 2;
        Slots_.assign(size, -1);
    }
    void Insert(std::string_view name) {
        const std::uint32_t hash = Hash(name);
        std::size_t s = Find(name, hash);
        if (Slots_[s] >= 0) return;
        Slots_[s] = static_cast<std::int32_t>(Names_.size());
        Names_.push_back({name, hash});
        if (Names_.size() * 2 > Slots_.size()) Grow();
    }
    bool Contains(std::string_view name) const { return Slots_[Find(name, Hash(name))] >= 0; }
    std::size_t Size() const { return Names_.size(); }
    // Each name once, as first inserted.
    template <typename F> void ForEach(F&& visit) const {
        for (const TEntry& e : Names_)
            visit(e.Name);
    }

private:
    struct TEntry {
        std::string_view Name;
        std::uint32_t Hash;
    };
    static std::uint32_t Hash(std::string_view name) {
        std::uint32_t h = 2166136261u;
        for (char c : name)
            h = (h ^ static_cast<unsigned char>((c >= 'a' && c <= 'z') ? c - 32 : c)) * 16777619u;
        return h;
    }
    // The slot of the name, or the empty slot where it would go.
    std::size_t Find(std::string_view name, std::uint32_t hash) const {
        const std::size_t mask = Slots_.size() - 1;
        std::size_t s = hash & mask;
        for (std::int32_t i; (i = Slots_[s]) >= 0; s = (s + 1) & mask) {
            const TEntry& e = Names_[static_cast<std::size_t>(i)];
            if (e.Hash == hash && SameName(e.Name, name)) break;
        }
        return s;
    }
    void Grow() {
        Slots_.assign(Slots_.size() * 2, -1);
        const std::size_t mask = Slots_.size() - 1;
        for (std::size_t i = 0; i < Names_.size(); ++i) {
            std::size_t s = Names_[i].Hash & mask;
            while (Slots_[s] >= 0)
                s = (s + 1) & mask;
            Slots_[s] = static_cast<std::int32_t>(i);
        }
    }
    std::vector<std::int32_t> Slots_;
    std::vector<TEntry> Names_;
};

// The names a procedure declares for itself: its own name, its parameters and its locals.
struct TLocalNames {
    std::vector<std::string_view> Names;
    bool Has(std::string_view name) const {
        for (std::string_view n : Names)
            if (SameName(n, name)) return true;
        return false;
    }
};

} // namespace

TVbMemberSymbols SummarizeMember(const TVbSyntax& syntax, const TVbSymbolContext& context) {
    TVbMemberSymbols out;
    const std::size_t procedures = syntax.Procedures.size();
    std::vector<TLocalNames> locals(procedures);
    for (std::size_t p = 0; p < procedures; ++p) {
        const TVbProcedure& proc = syntax.Procedures[p];
        for (std::int32_t k = 0; k < proc.ParameterCount; ++k)
            locals[p].Names.push_back(syntax.ParametersOf(proc)[k].Name);
    }
    for (const TVbDeclaration& d : syntax.Declarations)
        if (d.Procedure >= 0) locals[static_cast<std::size_t>(d.Procedure)].Names.push_back(d.Name);

    // The names used, compared as VB compares them: each distinct name folded once at the end.
    TNameSet used(syntax.References.size() / 4 + 16);
    for (const TVbReference& r : syntax.References) {
        if (r.Procedure >= 0) {
            const TVbProcedure& proc = syntax.Procedures[static_cast<std::size_t>(r.Procedure)];
            // Inside a procedure its own name is its result (F = 1) or a call of itself.
            if (SameName(r.Name, proc.Name)) continue;
            // A local or parameter of the same name hides the module's.
            if (r.QualifierKind == TVbQualifier::None &&
                locals[static_cast<std::size_t>(r.Procedure)].Has(r.Name))
                continue;
        }
        used.Insert(r.Name);
    }
    auto isUsed = [&](std::string_view name) { return used.Contains(name); };

    const bool exposed =
        context.ActiveX && SameName(syntax.Attribute("VB_Exposed"), "True") &&
        (syntax.Kind == TVbMemberKind::Class || syntax.Kind == TVbMemberKind::UserControl);
    auto add = [&](std::string_view name, std::int32_t line, TVbSymbolKind kind, TVbScope scope,
                   bool entry, bool usedHere) {
        const bool isPublic = IsPublic(scope);
        out.Symbols.push_back(TVbSymbol{std::string(name),
                                        line,
                                        kind,
                                        isPublic,
                                        entry || (exposed && isPublic && scope != TVbScope::Friend),
                                        usedHere,
                                        false,
                                        {}});
    };

    for (const TVbProcedure& p : syntax.Procedures) {
        if (p.Twin) continue;
        // Entry points: Sub Main starts a program; event handlers and interface members are
        // called by their object.
        const bool entry = (p.Kind == TVbProcedureKind::Sub && SameName(p.Name, "Main")) ||
                           syntax.IsEventOrInterfaceProcedure(p);
        add(p.Name, p.Line, TVbSymbolKind::Procedure, p.Scope, entry, isUsed(p.Name));
    }
    for (std::size_t i = 0; i < syntax.Declarations.size(); ++i) {
        const TVbDeclaration& d = syntax.Declarations[i];
        if (d.Procedure >= 0 || d.Twin) continue;
        TVbSymbolKind kind;
        switch (d.Kind) {
        case TVbDeclarationKind::Variable:
            kind = TVbSymbolKind::Variable;
            break;
        case TVbDeclarationKind::Constant:
            kind = TVbSymbolKind::Constant;
            break;
        case TVbDeclarationKind::Declare:
            kind = TVbSymbolKind::Declare;
            break;
        case TVbDeclarationKind::Type:
            kind = TVbSymbolKind::Type;
            break;
        case TVbDeclarationKind::Enum:
            kind = TVbSymbolKind::Enum;
            break;
        default:
            continue; // members of a Type or Enum, events
        }
        bool usedHere = isUsed(d.Name);
        bool entry = false;
        if (d.Kind == TVbDeclarationKind::Enum) {
            // An enum is used when any of its members is.
            for (std::size_t m = i + 1;
                 m < syntax.Declarations.size() &&
                 syntax.Declarations[m].Parent == static_cast<std::int32_t>(i);
                 ++m)
                if (isUsed(syntax.Declarations[m].Name)) usedHere = true;
        }
        if (d.WithEvents) {
            // Its event handlers use it.
            for (const TVbProcedure& p : syntax.Procedures)
                if (p.Name.size() > d.Name.size() + 1 && p.Name[d.Name.size()] == '_' &&
                    SameName(p.Name.substr(0, d.Name.size()), d.Name))
                    entry = true;
        }
        TVbScope scope = d.Scope;
        // A module-level Const without a scope word is Private.
        if (d.Kind == TVbDeclarationKind::Constant && scope == TVbScope::None)
            scope = TVbScope::Private;
        add(d.Name, d.Line, kind, scope, entry, usedHere);
        if (d.Kind == TVbDeclarationKind::Enum) {
            // A use of a member elsewhere in the project is a use of the enum.
            for (std::size_t m = i + 1;
                 m < syntax.Declarations.size() &&
                 syntax.Declarations[m].Parent == static_cast<std::int32_t>(i);
                 ++m)
                out.Symbols.back().Aliases.push_back(FoldedName(syntax.Declarations[m].Name));
        }
    }
    std::stable_sort(out.Symbols.begin(), out.Symbols.end(),
                     [](const TVbSymbol& a, const TVbSymbol& b) { return a.Line < b.Line; });
    out.ModuleName = FoldedName(syntax.ModuleName());
    for (std::string_view i : syntax.Implements)
        out.Implements.push_back(FoldedName(i));
    out.UsedNames.reserve(used.Size());
    used.ForEach([&](std::string_view name) { out.UsedNames.push_back(FoldedName(name)); });
    std::sort(out.UsedNames.begin(), out.UsedNames.end());
    return out;
}

void TVbProjectSymbols::Reset(int members) {
    Members_.clear();
    Members_.resize(static_cast<std::size_t>(std::max(members, 0)));
}

void TVbProjectSymbols::SetMember(int index, TVbMemberSymbols symbols) {
    Members_[static_cast<std::size_t>(index)] = std::move(symbols);
}

void TVbProjectSymbols::Resolve() {
    std::unordered_set<std::string_view> used;
    for (const TVbMemberSymbols& m : Members_)
        for (const std::string& name : m.UsedNames)
            used.insert(name);
    std::unordered_set<std::string_view> interfaces;
    for (const TVbMemberSymbols& m : Members_)
        for (const std::string& name : m.Implements)
            interfaces.insert(name);
    for (TVbMemberSymbols& m : Members_) {
        const bool isInterface = !m.ModuleName.empty() && interfaces.count(m.ModuleName) > 0;
        for (TVbSymbol& s : m.Symbols) {
            if (s.Entry || s.UsedInMember || (isInterface && s.Public)) continue;
            bool elsewhere = s.Public && used.count(FoldedName(s.Name)) > 0;
            for (const std::string& alias : s.Aliases)
                if (s.Public && used.count(alias) > 0) elsewhere = true;
            s.Unused = !elsewhere;
        }
    }
}
