#include "vbsyntax/VbSymbols.h"

#include "vbsyntax/VbNameKey.h"

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

// The names of a member, each once, compared as VB compares them (ASCII letters folded): open
// addressing on a hash of the whole folded name, so that names which differ only inside
// ("v1000x", "v1001x") spread. A name of up to 16 bytes is told by its length and its folded
// key (two loads that cover it), so finding it compares numbers, not letters. Each name carries
// what the summary learns of it.
class TNameTable {
public:
    struct TEntry {
        std::string_view Name; // as first met
        vbname::TShortKey Key; // folded; of a name longer than 16 bytes, its last 16 bytes
        std::uint32_t Hash;
        bool Used = false;
        std::int32_t LocalOf = -1; // the procedure whose locals were last marked with it
    };
    explicit TNameTable(std::size_t expected) {
        std::size_t size = 64;
        while (size < expected * 2)
            size *= 2;
        Slots_.assign(size, -1);
        Entries_.reserve(size / 2);
    }
    // The index of the name's entry, made when it is not there yet. A spelling met before (most
    // uses are written as the last use of the name was) is answered by its bytes as they are,
    // without folding them.
    [[gnu::always_inline]] std::size_t Add(std::string_view name) {
        const std::size_t n = name.size();
        if (n - 1 >= 16) return AddFolded(name); // empty, or longer than 16 bytes
        const vbname::TShortKey k = vbname::RawShortKey(name.data(), n);
        TSpelling& seen =
            Spellings_[vbname::Mix(k.Head * 0x9E3779B97F4A7C15ull + k.Tail + n) & SpellingMask];
        if (seen.Length == n && seen.Head == k.Head && seen.Tail == k.Tail) return seen.Index;
        const std::size_t index = AddFolded(name);
        seen = {k.Head, k.Tail, static_cast<std::uint32_t>(n), static_cast<std::uint32_t>(index)};
        return index;
    }
    [[gnu::always_inline]] std::size_t AddFolded(std::string_view name) {
        const TProbe probe = ProbeOf(name);
        const std::size_t s = Find(name, probe);
        if (Slots_[s] >= 0) return static_cast<std::size_t>(Slots_[s]);
        const std::size_t index = Entries_.size();
        Slots_[s] = static_cast<std::int32_t>(index);
        Entries_.push_back({name, probe.Key, probe.Hash});
        if (Entries_.size() * 2 > Slots_.size()) Grow();
        return index;
    }
    TEntry& operator[](std::size_t index) { return Entries_[index]; }
    // The name's entry, or none.
    const TEntry* Get(std::string_view name) const {
        const std::int32_t i = Slots_[Find(name, ProbeOf(name))];
        return i >= 0 ? &Entries_[static_cast<std::size_t>(i)] : nullptr;
    }
    template <typename F> void ForEach(F&& visit) const {
        for (const TEntry& e : Entries_)
            visit(e);
    }

private:
    struct TProbe {
        vbname::TShortKey Key;
        std::uint32_t Hash;
    };
    [[gnu::always_inline]] static TProbe ProbeOf(std::string_view name) {
        const std::size_t n = name.size();
        if (n <= 16) {
            const vbname::TShortKey k = vbname::ShortKey(name.data(), n);
            return {k, vbname::Mix((k.Head * 0x9E3779B97F4A7C15ull) ^ (k.Tail + n))};
        }
        return {vbname::ShortKey(name.data() + n - 16, 16), vbname::Hash(name)};
    }
    // The slot of the name, or the empty slot where it would go.
    [[gnu::always_inline]] std::size_t Find(std::string_view name, const TProbe& probe) const {
        const std::size_t mask = Slots_.size() - 1;
        const std::size_t n = name.size();
        std::size_t s = probe.Hash & mask;
        for (std::int32_t i; (i = Slots_[s]) >= 0; s = (s + 1) & mask) {
            const TEntry& e = Entries_[static_cast<std::size_t>(i)];
            if (e.Key.Head == probe.Key.Head && e.Key.Tail == probe.Key.Tail &&
                e.Name.size() == n && (n <= 16 || vbname::Same(e.Name, name)))
                break;
        }
        return s;
    }
    [[gnu::noinline]] void Grow() {
        Slots_.assign(Slots_.size() * 2, -1);
        const std::size_t mask = Slots_.size() - 1;
        for (std::size_t i = 0; i < Entries_.size(); ++i) {
            std::size_t s = Entries_[i].Hash & mask;
            while (Slots_[s] >= 0)
                s = (s + 1) & mask;
            Slots_[s] = static_cast<std::int32_t>(i);
        }
    }
    // The last name met at each slot of its raw bytes' hash (Length 0: none yet).
    struct TSpelling {
        std::uint64_t Head = 0;
        std::uint64_t Tail = 0;
        std::uint32_t Length = 0;
        std::uint32_t Index = 0;
    };
    static constexpr std::size_t SpellingMask = 1023;
    std::vector<std::int32_t> Slots_;
    std::vector<TEntry> Entries_;
    std::vector<TSpelling> Spellings_ = std::vector<TSpelling>(SpellingMask + 1);
};

// Whether a use names another object's member: Module1.F or obj.F, not F, Me.F or the member's
// own name before the dot.
bool QualifiedByAnotherObject(const TVbReference& r, std::string_view ownName) {
    switch (r.QualifierKind) {
    case TVbQualifier::None:
    case TVbQualifier::Me:
        return false;
    case TVbQualifier::Other:
        return !SameName(r.Qualifier, ownName);
    case TVbQualifier::With:
        return true;
    }
    return true;
}

} // namespace

TVbMemberSymbols SummarizeMember(const TVbSyntax& syntax, const TVbSymbolContext& context) {
    TVbMemberSymbols out;
    TNameTable names(syntax.References.size() / 4 + syntax.Declarations.size() + 16);
    // Each procedure's own name, and the names it declares for itself (its parameters and its
    // locals), as entries of the table.
    // Procedure p's locals are locals[firstLocal[p], firstLocal[p + 1]): one block for all.
    const std::size_t procedures = syntax.Procedures.size();
    std::vector<std::size_t> procedureName(procedures);
    std::vector<std::size_t> firstLocal(procedures + 1, 0);
    for (std::size_t p = 0; p < procedures; ++p)
        firstLocal[p + 1] = static_cast<std::size_t>(syntax.Procedures[p].ParameterCount);
    for (const TVbDeclaration& d : syntax.Declarations)
        if (d.Procedure >= 0) ++firstLocal[static_cast<std::size_t>(d.Procedure) + 1];
    for (std::size_t p = 0; p < procedures; ++p)
        firstLocal[p + 1] += firstLocal[p];
    std::vector<std::size_t> locals(firstLocal[procedures]);
    std::vector<std::size_t> filled(firstLocal.begin(), firstLocal.end() - 1);
    for (std::size_t p = 0; p < procedures; ++p) {
        const TVbProcedure& proc = syntax.Procedures[p];
        procedureName[p] = names.Add(proc.Name);
        for (std::int32_t k = 0; k < proc.ParameterCount; ++k)
            locals[filled[p]++] = names.Add(syntax.ParametersOf(proc)[k].Name);
    }
    for (const TVbDeclaration& d : syntax.Declarations)
        if (d.Procedure >= 0)
            locals[filled[static_cast<std::size_t>(d.Procedure)]++] = names.Add(d.Name);

    // The names used. A name's LocalOf tells whether it is a local of the procedure whose locals
    // were marked last; the uses of one procedure stand together, so each is marked about once.
    const std::string_view ownModule = syntax.Attribute("VB_Name");
    std::int32_t marked = -1;
    for (const TVbReference& r : syntax.References) {
        const std::size_t used = names.Add(r.Name);
        if (r.Procedure >= 0) {
            const auto p = static_cast<std::size_t>(r.Procedure);
            // Inside a procedure its own name is its result (F = 1) or a call of itself; a name
            // qualified by another object (Module1.F) is that object's, a use like any other.
            if (used == procedureName[p] && !QualifiedByAnotherObject(r, ownModule)) continue;
            // A local or parameter of the same name hides the module's.
            if (r.QualifierKind == TVbQualifier::None) {
                if (marked != r.Procedure) {
                    marked = r.Procedure;
                    for (std::size_t k = firstLocal[p]; k < firstLocal[p + 1]; ++k)
                        names[locals[k]].LocalOf = marked;
                }
                if (names[used].LocalOf == marked) continue;
            }
        }
        names[used].Used = true;
    }
    auto isUsed = [&](std::string_view name) {
        const TNameTable::TEntry* e = names.Get(name);
        return e && e->Used;
    };

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
    const std::size_t procedureSymbols = out.Symbols.size();
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
    // In line order. The procedures and the declarations each come in the order of their lines,
    // so the two runs are merged (stable: a procedure before a declaration of its line).
    const auto byLine = [](const TVbSymbol& a, const TVbSymbol& b) { return a.Line < b.Line; };
    const auto middle = out.Symbols.begin() + static_cast<std::ptrdiff_t>(procedureSymbols);
    if (std::is_sorted(out.Symbols.begin(), middle, byLine) &&
        std::is_sorted(middle, out.Symbols.end(), byLine))
        std::inplace_merge(out.Symbols.begin(), middle, out.Symbols.end(), byLine);
    else
        std::stable_sort(out.Symbols.begin(), out.Symbols.end(), byLine);
    out.ModuleName = FoldedName(syntax.ModuleName());
    for (std::string_view i : syntax.Implements)
        out.Implements.push_back(FoldedName(i));
    names.ForEach([&](const TNameTable::TEntry& e) {
        if (e.Used) out.UsedNames.push_back(FoldedName(e.Name));
    });
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
