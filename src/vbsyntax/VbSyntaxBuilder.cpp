// Reads declarations, procedure headers, references and the measures of each procedure from the
// statements of a member.
#include "vbsyntax/VbControlTree.h"
#include "vbsyntax/VbStatements.h"
#include "vbsyntax/VbSyntax.h"

#include <algorithm>

namespace {

// One statement's words with a position.
struct TReader {
    const TVbWord* W;
    std::uint32_t N;
    std::uint32_t I = 0;

    bool More() const { return I < N; }
    const TVbWord* At(std::uint32_t k) const { return k < N ? W + k : nullptr; }
    // Only a Word has a key (TVbWord::Key): the key alone tells a keyword.
    bool Is(std::uint32_t k, TVbKey key) const { return k < N && W[k].Key == key && key != kNone; }
    bool IsHere(TVbKey key) const { return Is(I, key); }
    bool SymbolAt(std::uint32_t k, char c) const {
        return k < N && W[k].Kind == TVbWordKind::Symbol && W[k].Text.size() == 1 &&
               W[k].Text[0] == c;
    }
    bool OperatorAt(std::uint32_t k, std::string_view text) const {
        return k < N && W[k].Kind == TVbWordKind::Operator && W[k].Text == text;
    }
    bool WordHere() const { return I < N && W[I].Kind == TVbWordKind::Word; }
    // The key of the word at k, or kNone when it is no word.
    TVbKey KeyAt(std::uint32_t k) const { return k < N ? W[k].Key : kNone; }
};

class TBuilder {
public:
    TBuilder(TVbSyntax& syntax) : S_(syntax) {}

    void Run() {
        for (std::size_t si = 0; si < S_.Statements.size(); ++si)
            Statement(static_cast<std::int32_t>(si));
        if (Procedure_ >= 0) {
            TVbProcedure& p = S_.Procedures[static_cast<std::size_t>(Procedure_)];
            p.EndStatement = static_cast<std::int32_t>(S_.Statements.size());
            p.EndLine = S_.Statements.empty() ? p.Line : S_.Statements.back().Line;
        }
    }

private:
    enum class TBlock { None, Type, Enum };

    void Statement(std::int32_t si) {
        const TVbStatement& s = S_.Statements[static_cast<std::size_t>(si)];
        if (s.Label) return;
        TReader r{S_.WordsOf(s), s.Count};
        Line_ = s.Line;
        Current_ = &s;
        // "Attribute Name.VB_UserMemId = 0" inside the code (not "Attribute = 1", an assignment).
        if (r.Is(0, kAttribute) && r.At(1) && r.W[1].Kind == TVbWordKind::Word) return;

        if (Procedure_ < 0 && Block_ != TBlock::None) {
            BlockMember(r);
            return;
        }
        if (r.Is(0, kEnd) && (r.Is(1, kSub) || r.Is(1, kFunction) || r.Is(1, kProperty))) {
            if (Procedure_ >= 0) {
                TVbProcedure& p = S_.Procedures[static_cast<std::size_t>(Procedure_)];
                p.EndStatement = si;
                p.EndLine = s.Line;
                Procedure_ = -1;
            }
            return;
        }

        TVbScope scope = TVbScope::None;
        bool isStatic = false, dim = false;
        // The scope and storage words before the statement's own word, one look at each.
        auto prefix = [&] {
            switch (r.KeyAt(r.I)) {
            case kPublic:
            case kGlobal:
                scope = TVbScope::Public;
                return true;
            case kPrivate:
                scope = TVbScope::Private;
                return true;
            case kFriend:
                scope = TVbScope::Friend;
                return true;
            case kStatic:
                isStatic = true;
                return true;
            case kDim:
                dim = true;
                return true;
            default:
                return false;
            }
        };
        while (prefix())
            ++r.I;
        const bool prefixed = r.I > 0;
        // The statement's own word, one look.
        switch (r.KeyAt(r.I)) {
        case kSub:
        case kFunction:
        case kProperty:
            Header(r, s, si, scope, isStatic);
            return;
        case kDeclare:
            Declare(r, scope);
            return;
        case kEvent:
            if (Procedure_ >= 0) break;
            Event(r, scope);
            return;
        case kType:
        case kEnum: {
            if (Procedure_ >= 0 || !r.At(r.I + 1) || r.W[r.I + 1].Kind != TVbWordKind::Word) break;
            const bool isType = r.IsHere(kType);
            ++r.I;
            Block_ = isType ? TBlock::Type : TBlock::Enum;
            BlockDeclaration_ = static_cast<std::int32_t>(S_.Declarations.size());
            TVbDeclaration d = NewDeclaration(
                r.W[r.I], isType ? TVbDeclarationKind::Type : TVbDeclarationKind::Enum,
                ModuleScope(scope, false));
            Add(d);
            return;
        }
        case kConst:
            ++r.I;
            Constants(r, Procedure_ < 0 ? ModuleScope(scope, dim) : TVbScope::Local);
            CountStatement(r);
            return;
        default:
            break;
        }
        if (prefixed && (r.WordHere() || r.IsHere(kWithEvents))) {
            Variables(r, Procedure_ < 0 ? ModuleScope(scope, dim) : TVbScope::Local);
            CountStatement(r);
            return;
        }
        if (Procedure_ < 0 && r.Is(0, kImplements) && r.At(1)) {
            // The interface's own name: the last part of a dotted name.
            std::uint32_t k = 1;
            while (r.SymbolAt(k + 1, '.') && r.At(k + 2))
                k += 2;
            S_.Implements.push_back(r.W[k].Text);
            References(r, 1);
            return;
        }
        // Option Explicit, Base, Compare, Private Module (not "Option = 1" in a property).
        if (r.Is(0, kOption) && r.At(1) && r.W[1].Kind == TVbWordKind::Word) return;
        if (Procedure_ < 0 && r.N >= 2 && r.Is(0, kDefType)) {
            DefType(r);
            return;
        }
        Executable(r);
    }

    TVbScope ModuleScope(TVbScope scope, bool dim) const {
        if (Procedure_ >= 0) return TVbScope::Local;
        if (scope == TVbScope::None && dim) return TVbScope::Private;
        return scope;
    }

    TVbDeclaration NewDeclaration(const TVbWord& name, TVbDeclarationKind kind, TVbScope scope) {
        TVbDeclaration d{};
        d.Name = name.Text;
        d.Line = Line_;
        d.Kind = kind;
        d.Scope = scope;
        d.Type.Suffix = name.Suffix;
        d.Procedure = Procedure_;
        return d;
    }

    void Add(TVbDeclaration d) {
        const TVbStatement& s = *Current_;
        if (d.Procedure < 0 && s.Block != 0) {
            // Declared again in another branch of the same #If: one declaration.
            for (std::size_t k = 0; k < S_.Declarations.size(); ++k) {
                const TVbDeclaration& other = S_.Declarations[k];
                if (other.Procedure < 0 && !other.Twin && other.Kind == d.Kind &&
                    DeclBlocks_[k].Block == s.Block && DeclBlocks_[k].Arm != s.Arm &&
                    SameName(other.Name, d.Name))
                    d.Twin = true;
            }
        }
        S_.Declarations.push_back(d);
        DeclBlocks_.push_back({s.Block, s.Arm});
    }

    void BlockMember(TReader& r) {
        if (r.Is(0, kEnd) && (r.Is(1, kType) || r.Is(1, kEnum))) {
            Block_ = TBlock::None;
            return;
        }
        if (!r.WordHere()) return;
        TVbDeclaration d = NewDeclaration(r.W[0],
                                          Block_ == TBlock::Type ? TVbDeclarationKind::TypeMember
                                                                 : TVbDeclarationKind::EnumMember,
                                          TVbScope::None);
        d.Parent = BlockDeclaration_;
        r.I = 1;
        if (r.SymbolAt(r.I, '(')) {
            d.IsArray = true;
            SkipBrackets(r, true);
        }
        if (r.IsHere(kAs)) TypeSpec(r, d.Type);
        S_.Declarations.push_back(d);
        DeclBlocks_.push_back({Current_->Block, Current_->Arm});
        References(r, r.I);
    }

    // Past a bracketed run from "(" at r.I to its ")"; the names inside are uses.
    void SkipBrackets(TReader& r, bool uses) {
        int depth = 0;
        const std::uint32_t from = r.I;
        for (; r.I < r.N; ++r.I) {
            if (r.SymbolAt(r.I, '('))
                ++depth;
            else if (r.SymbolAt(r.I, ')') && --depth == 0) {
                ++r.I;
                break;
            }
        }
        if (uses) References(r, from, r.I);
    }

    // "As [New] T[.U] [* n]" at r.I.
    void TypeSpec(TReader& r, TVbTypeSpec& type) {
        if (!r.IsHere(kAs)) return;
        type.HasAs = true;
        ++r.I;
        if (r.IsHere(kNew)) {
            type.IsNew = true;
            ++r.I;
        }
        const std::uint32_t from = r.I;
        if (r.WordHere()) {
            type.TypeName = r.W[r.I].Text;
            ++r.I;
            while (r.SymbolAt(r.I, '.') && r.At(r.I + 1) &&
                   r.W[r.I + 1].Kind == TVbWordKind::Word) {
                type.TypeName = r.W[r.I + 1].Text;
                r.I += 2;
            }
        }
        References(r, from, r.I);
        if (r.OperatorAt(r.I, "*")) r.I += 2; // String * 10
    }

    // Up to the next "," outside brackets (or the end); the names passed are uses.
    void Expression(TReader& r) {
        int depth = 0;
        const std::uint32_t from = r.I;
        for (; r.I < r.N; ++r.I) {
            if (r.SymbolAt(r.I, '('))
                ++depth;
            else if (r.SymbolAt(r.I, ')')) {
                if (depth == 0) break;
                --depth;
            } else if (depth == 0 && r.SymbolAt(r.I, ','))
                break;
        }
        References(r, from, r.I);
    }

    void Variables(TReader& r, TVbScope scope) {
        while (r.More()) {
            bool withEvents = false;
            if (r.IsHere(kWithEvents)) {
                withEvents = true;
                ++r.I;
            }
            if (!r.WordHere()) break;
            TVbDeclaration d = NewDeclaration(r.W[r.I], TVbDeclarationKind::Variable, scope);
            d.WithEvents = withEvents;
            ++r.I;
            if (r.SymbolAt(r.I, '(')) {
                d.IsArray = true;
                SkipBrackets(r, true);
            }
            TypeSpec(r, d.Type);
            Add(d);
            if (!r.SymbolAt(r.I, ',')) break;
            ++r.I;
        }
        References(r, r.I);
    }

    void Constants(TReader& r, TVbScope scope) {
        while (r.WordHere()) {
            TVbDeclaration d = NewDeclaration(r.W[r.I], TVbDeclarationKind::Constant, scope);
            ++r.I;
            TypeSpec(r, d.Type);
            if (r.OperatorAt(r.I, "=")) {
                ++r.I;
                Expression(r);
            }
            Add(d);
            if (!r.SymbolAt(r.I, ',')) break;
            ++r.I;
        }
    }

    // "(a, Optional ByVal b As Long = 1, ParamArray c())" at r.I.
    void Parameters(TReader& r, std::int32_t& first, std::int32_t& count) {
        first = static_cast<std::int32_t>(S_.Parameters.size());
        count = 0;
        if (!r.SymbolAt(r.I, '(')) return;
        ++r.I;
        while (r.More()) {
            if (r.SymbolAt(r.I, ')')) {
                ++r.I;
                break;
            }
            TVbParameter p{};
            for (;; ++r.I) {
                if (r.IsHere(kOptional))
                    p.Optional = true;
                else if (r.IsHere(kByVal))
                    p.ByVal = true;
                else if (r.IsHere(kByRef))
                    p.ByRef = true;
                else if (r.IsHere(kParamArray))
                    p.ParamArray = true;
                else
                    break;
            }
            if (!r.WordHere()) {
                ++r.I;
                continue;
            }
            p.Name = r.W[r.I].Text;
            p.Line = Line_;
            p.Type.Suffix = r.W[r.I].Suffix;
            ++r.I;
            if (r.SymbolAt(r.I, '(') && r.SymbolAt(r.I + 1, ')')) {
                p.IsArray = true;
                r.I += 2;
            }
            TypeSpec(r, p.Type);
            if (r.OperatorAt(r.I, "=")) {
                p.HasDefault = true;
                ++r.I;
                Expression(r);
            }
            S_.Parameters.push_back(p);
            ++count;
            // Whatever else stands before the next "," or ")" is passed over.
            Expression(r);
            if (r.SymbolAt(r.I, ',')) ++r.I;
        }
    }

    void Header(TReader& r, const TVbStatement& s, std::int32_t si, TVbScope scope, bool isStatic) {
        TVbProcedureKind kind = TVbProcedureKind::Sub;
        if (r.IsHere(kFunction)) kind = TVbProcedureKind::Function;
        if (r.IsHere(kProperty)) {
            ++r.I;
            kind = r.IsHere(kLet)   ? TVbProcedureKind::PropertyLet
                   : r.IsHere(kSet) ? TVbProcedureKind::PropertySet
                                    : TVbProcedureKind::PropertyGet;
        }
        ++r.I;
        if (!r.WordHere()) return;
        if (Procedure_ >= 0) return; // a second header of the open procedure: its #If twin
        TVbProcedure p{};
        p.Name = r.W[r.I].Text;
        p.Type.Suffix = r.W[r.I].Suffix;
        p.Line = s.Line;
        p.EndLine = s.Line;
        p.Kind = kind;
        p.Scope = scope;
        p.Static = isStatic;
        ++r.I;
        const std::int32_t index = static_cast<std::int32_t>(S_.Procedures.size());
        Procedure_ = index;
        Parameters(r, p.FirstParameter, p.ParameterCount);
        TypeSpec(r, p.Type);
        p.FirstStatement = si + 1;
        p.EndStatement = si + 1;
        if (s.Block != 0) {
            // The same procedure written whole in two branches of one #If counts once.
            for (std::size_t k = 0; k < S_.Procedures.size(); ++k) {
                const TVbProcedure& other = S_.Procedures[k];
                if (!other.Twin && SameName(other.Name, p.Name) && other.Kind == p.Kind &&
                    ProcBlocks_[k].Block == s.Block && ProcBlocks_[k].Arm != s.Arm)
                    p.Twin = true;
            }
        }
        S_.Procedures.push_back(p);
        ProcBlocks_.push_back({s.Block, s.Arm});
        Depth_ = 0;
    }

    void Declare(TReader& r, TVbScope scope) {
        ++r.I;
        if (r.IsHere(kPtrSafe)) ++r.I;
        const bool function = r.IsHere(kFunction);
        ++r.I;
        if (!r.WordHere()) return;
        TVbDeclaration d =
            NewDeclaration(r.W[r.I], TVbDeclarationKind::Declare, ModuleScope(scope, false));
        ++r.I;
        while (r.More() && !r.SymbolAt(r.I, '(') && !r.IsHere(kAs))
            ++r.I; // Lib "x" Alias "y"
        Parameters(r, d.FirstParameter, d.ParameterCount);
        TypeSpec(r, d.Type);
        if (!function) d.Type = TVbTypeSpec{};
        if (!function) d.Type.HasAs = true; // a Sub has no result to type
        Add(d);
    }

    void Event(TReader& r, TVbScope scope) {
        ++r.I;
        if (!r.WordHere()) return;
        TVbDeclaration d = NewDeclaration(r.W[r.I], TVbDeclarationKind::Event, scope);
        ++r.I;
        Parameters(r, d.FirstParameter, d.ParameterCount);
        d.Type.HasAs = true;
        Add(d);
    }

    void DefType(TReader& r) {
        const std::string_view word = r.W[0].Text;
        for (std::uint32_t k = 1; k < r.N; ++k) {
            const TVbWord& w = r.W[k];
            if (w.Kind != TVbWordKind::Word || w.Text.size() != 1) continue;
            char from = static_cast<char>(w.Text[0] & ~0x20), to = from;
            if (r.OperatorAt(k + 1, "-") && r.At(k + 2) && r.W[k + 2].Text.size() == 1) {
                to = static_cast<char>(r.W[k + 2].Text[0] & ~0x20);
                k += 2;
            }
            for (char c = from; c >= 'A' && c <= to && c <= 'Z'; ++c)
                S_.DefTypes[static_cast<std::size_t>(c - 'A')] = word;
        }
    }

    void CountStatement(const TReader&) {
        if (Procedure_ >= 0) ++S_.Procedures[static_cast<std::size_t>(Procedure_)].Statements;
    }

    void Executable(TReader& r) {
        ReadReferences(r, 0, r.N);
        if (Procedure_ < 0) return;
        TVbProcedure& p = S_.Procedures[static_cast<std::size_t>(Procedure_)];
        ++p.Statements;
        auto open = [&](bool decision) {
            ++Depth_;
            p.MaxNesting = std::max(p.MaxNesting, Depth_);
            if (decision) ++p.Complexity;
        };
        auto close = [&](int n) { Depth_ = std::max(0, Depth_ - n); };
        switch (r.KeyAt(0)) {
        case kIf: {
            std::uint32_t then = 1;
            while (then < r.N && !r.Is(then, kThen))
                ++then;
            if (then + 1 >= r.N)
                open(true);
            else
                ++p.Complexity; // a one-line If
            break;
        }
        case kElseIf:
            ++p.Complexity;
            break;
        case kEnd:
            if (r.Is(1, kIf) || r.Is(1, kSelect)) close(1);
            break;
        case kFor:
        case kDo:
        case kWhile:
            open(true);
            break;
        case kSelect:
            open(false);
            break;
        case kCase:
            if (!r.Is(1, kElse)) ++p.Complexity;
            break;
        case kNext: {
            int n = 1;
            for (std::uint32_t k = 1; k < r.N; ++k)
                if (r.SymbolAt(k, ',')) ++n;
            close(n);
            break;
        }
        case kLoop:
        case kWend:
            close(1);
            break;
        default:
            break;
        }
        // Only On, GoTo and GoSub start what is looked for here; References saw whether any is.
        if (!JumpWordSeen_) return;
        for (std::uint32_t k = 0; k < r.N; ++k) {
            if (!(JumpWords >> r.KeyAt(k) & 1)) continue;
            if (r.Is(k, kOn) &&
                (r.Is(k + 1, kError) || (r.Is(k + 1, kLocal) && r.Is(k + 2, kError)))) {
                const std::uint32_t j = r.Is(k + 1, kError) ? k + 2 : k + 3;
                if (r.Is(j, kResume) && r.Is(j + 1, kNext))
                    S_.ErrorHandling.push_back({Procedure_, Line_, true});
                else if (r.Is(j, kGoTo))
                    S_.ErrorHandling.push_back({Procedure_, Line_, false});
                k = j;
                continue;
            }
            if ((r.Is(k, kGoTo) || r.Is(k, kGoSub)) && !(k > 0 && r.Is(k - 1, kError)))
                S_.Jumps.push_back({Procedure_, Line_, r.W[k].Text});
        }
    }

    void References(const TReader& r, std::uint32_t from) { References(r, from, r.N); }

    // The names used in words [from, to) of the statement. Tells in JumpWordSeen_ whether one of
    // the words is a JumpWords one.
    [[gnu::noinline]] void References(const TReader& r, std::uint32_t from, std::uint32_t to) {
        ReadReferences(r, from, to);
    }
    // The uses of names among the words [from, to): inlined where most statements come, the
    // executable ones.
    [[gnu::always_inline]] void ReadReferences(const TReader& r, std::uint32_t from,
                                               std::uint32_t to) {
        bool callByName = false;
        std::uint64_t seen = 0;
        for (std::uint32_t k = from; k < to; ++k) {
            const TVbWord& w = r.W[k];
            if (w.Kind != TVbWordKind::Word) continue;
            seen |= 1ull << w.Key;
            if (w.Key == kCallByName) callByName = true;
            const TVbWord* before = k > 0 ? &r.W[k - 1] : nullptr;
            if (!(before && before->Kind == TVbWordKind::Symbol && before->Text.size() == 1 &&
                  (before->Text[0] == '.' || before->Text[0] == '!'))) {
                if (w.Reserved) continue;
                if (before && (LabelWords >> before->Key & 1)) continue; // a line label
                S_.References.push_back(
                    {w.Text, Line_, Procedure_, TVbQualifier::None, false, {}, {}});
                continue;
            }
            TVbReference ref{w.Text, Line_, Procedure_, TVbQualifier::None, false, {}, {}};
            // After "." or "!": a member of what stands before it.
            if (k >= 2 && r.W[k - 2].Kind == TVbWordKind::Word) {
                ref.Qualifier = r.W[k - 2].Text;
                ref.QualifierKind = r.W[k - 2].Key == kMe ? TVbQualifier::Me : TVbQualifier::Other;
                std::uint32_t root = k - 2;
                while (root >= 2 && r.SymbolAt(root - 1, '.') &&
                       r.W[root - 2].Kind == TVbWordKind::Word)
                    root -= 2;
                ref.Root = r.W[root].Text;
            } else if (k >= 2 &&
                       (r.SymbolAt(k - 2, ')') || r.W[k - 2].Kind == TVbWordKind::String)) {
                ref.QualifierKind = TVbQualifier::Other;
            } else {
                ref.QualifierKind = TVbQualifier::With;
            }
            S_.References.push_back(ref);
        }
        JumpWordSeen_ = (seen & JumpWords) != 0;
        if (!callByName) return;
        // CallByName obj, "Name", ...: the procedure's name stands in a string.
        for (std::uint32_t k = from; k < to; ++k) {
            const TVbWord& w = r.W[k];
            if (w.Kind != TVbWordKind::String || w.Text.size() < 3) continue;
            std::string_view inner = w.Text.substr(1, w.Text.size() - 2);
            bool name = true;
            for (char c : inner)
                if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                      c == '_' || static_cast<unsigned char>(c) >= 0x80))
                    name = false;
            if (name)
                S_.References.push_back(
                    {inner, Line_, Procedure_, TVbQualifier::Other, true, {}, {}});
        }
    }

    struct TBlockArm {
        std::int32_t Block;
        std::int32_t Arm;
    };

    // The words that start an On Error, a GoTo or a GoSub.
    static constexpr std::uint64_t JumpWords = 1ull << kOn | 1ull << kGoTo | 1ull << kGoSub;
    // The words a line label follows.
    static constexpr std::uint64_t LabelWords = 1ull << kGoTo | 1ull << kGoSub | 1ull << kResume;
    static_assert(kDefType < 64, "every key has a bit");

    TVbSyntax& S_;
    bool JumpWordSeen_ = false;
    std::int32_t Procedure_ = -1;
    std::int32_t Line_ = 0;
    std::int32_t Depth_ = 0;
    TBlock Block_ = TBlock::None;
    std::int32_t BlockDeclaration_ = -1;
    const TVbStatement* Current_ = nullptr;
    std::vector<TBlockArm> DeclBlocks_;
    std::vector<TBlockArm> ProcBlocks_;
};

} // namespace

void BuildSyntax(const TVbSource& source, TVbSyntax& syntax) {
    syntax.Clear();
    syntax.Kind = source.MemberKind();
    // About a statement for every six words.
    syntax.Statements.reserve(static_cast<std::size_t>(source.Tokens.Count()) / 6 +
                              source.DroppedText.size() + 8);
    TStatementSplitter statements(syntax);
    ReadWords(source, syntax.Words, statements);
    // Room for a reference every other word, more than even dense code uses: the list then never
    // grows by copying, which for a huge member would hold its references twice for a while.
    // (The room no reference reaches is never touched, so it takes no memory of its own.)
    syntax.References.reserve(syntax.Words.size() / 2 + 8);
    ReadControlTree(source, syntax);
    TBuilder(syntax).Run();
}
