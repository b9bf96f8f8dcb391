#include "cli/SyntaxDump.h"

#include "cli/formats/Escaping.h"

namespace {

const char* ScopeName(TVbScope scope) {
    switch (scope) {
    case TVbScope::Public:
        return "Public";
    case TVbScope::Private:
        return "Private";
    case TVbScope::Friend:
        return "Friend";
    case TVbScope::Local:
        return "Local";
    default:
        return "-";
    }
}

const char* KindName(TVbDeclarationKind kind) {
    switch (kind) {
    case TVbDeclarationKind::Variable:
        return "Variable";
    case TVbDeclarationKind::Constant:
        return "Const";
    case TVbDeclarationKind::Declare:
        return "Declare";
    case TVbDeclarationKind::Type:
        return "Type";
    case TVbDeclarationKind::Enum:
        return "Enum";
    case TVbDeclarationKind::TypeMember:
        return "TypeMember";
    case TVbDeclarationKind::EnumMember:
        return "EnumMember";
    case TVbDeclarationKind::Event:
        return "Event";
    }
    return "-";
}

const char* KindName(TVbProcedureKind kind) {
    switch (kind) {
    case TVbProcedureKind::Sub:
        return "Sub";
    case TVbProcedureKind::Function:
        return "Function";
    case TVbProcedureKind::PropertyGet:
        return "PropertyGet";
    case TVbProcedureKind::PropertyLet:
        return "PropertyLet";
    case TVbProcedureKind::PropertySet:
        return "PropertySet";
    }
    return "-";
}

const char* QualifierName(TVbQualifier q) {
    switch (q) {
    case TVbQualifier::Me:
        return "Me";
    case TVbQualifier::With:
        return "With";
    case TVbQualifier::Other:
        return "Other";
    default:
        return "-";
    }
}

class TLine {
public:
    TLine(std::string& text, const platform::TCodePage& page, char tag) : Text_(text), Page_(page) {
        Text_ += tag;
    }
    ~TLine() { Text_ += '\n'; }
    TLine& operator<<(std::int64_t n) {
        Text_ += '\t' + std::to_string(n);
        return *this;
    }
    TLine& operator<<(const char* s) {
        Text_ += '\t';
        Text_ += s;
        return *this;
    }
    TLine& Name(std::string_view s) {
        Text_ += '\t';
        if (platform::IsAscii(s))
            AppendDumpEscaped(Text_, s);
        else
            AppendDumpEscaped(Text_, Page_.ToUtf8(s));
        return *this;
    }

private:
    std::string& Text_;
    const platform::TCodePage& Page_;
};

// "As T", "As New T", the suffix, or "-".
std::string TypeText(const TVbTypeSpec& type) {
    if (type.HasAs) return std::string(type.IsNew ? "As New " : "As ") + std::string(type.TypeName);
    if (type.Suffix) return std::string(1, type.Suffix);
    return "-";
}

} // namespace

std::string SyntaxDumpText(const TVbSyntax& s, const platform::TCodePage& page) {
    std::string text;
    for (const TVbAttribute& a : s.Attributes) {
        TLine l(text, page, '@');
        l << a.Line;
        l.Name(a.Name).Name(a.Value);
    }
    for (const TVbControl& c : s.Controls) {
        TLine l(text, page, 'C');
        l << c.Line << c.Depth;
        l.Name(c.TypeName).Name(c.Name);
        l << c.Index;
    }
    for (const TVbDirective& d : s.Directives) {
        TLine l(text, page, '#');
        l << d.Line;
        l.Name(d.Text);
    }
    for (const TVbStatement& st : s.Statements) {
        TLine l(text, page, 'S');
        l << st.Line << st.Block << st.Arm << (st.Label ? "label" : "-");
        std::string words;
        for (std::uint32_t k = 0; k < st.Count; ++k) {
            const TVbWord& w = s.Words[st.First + k];
            if (k > 0) words += ' ';
            words += w.Text;
            if (w.Suffix) words += w.Suffix;
        }
        l.Name(words);
    }
    for (std::string_view i : s.Implements) {
        TLine l(text, page, 'I');
        l.Name(i);
    }
    for (std::size_t c = 0; c < s.DefTypes.size(); ++c)
        if (!s.DefTypes[c].empty()) {
            TLine l(text, page, 'F');
            l.Name(std::string(1, static_cast<char>('A' + c))).Name(s.DefTypes[c]);
        }
    for (const TVbDeclaration& d : s.Declarations) {
        TLine l(text, page, 'D');
        l << d.Line << KindName(d.Kind) << ScopeName(d.Scope);
        l.Name(d.Name).Name(TypeText(d.Type));
        l << d.Procedure << (d.IsArray ? "array" : "-") << (d.WithEvents ? "WithEvents" : "-")
          << (d.Twin ? "twin" : "-");
    }
    for (const TVbProcedure& p : s.Procedures) {
        {
            TLine l(text, page, 'P');
            l << p.Line << p.EndLine << KindName(p.Kind) << ScopeName(p.Scope);
            l.Name(p.Name).Name(TypeText(p.Type));
            l << p.Statements << p.MaxNesting << p.Complexity << (p.Twin ? "twin" : "-")
              << (s.IsEventOrInterfaceProcedure(p) ? "event" : "-");
        }
        for (std::int32_t k = 0; k < p.ParameterCount; ++k) {
            const TVbParameter& a = s.ParametersOf(p)[k];
            TLine l(text, page, 'A');
            l << a.Line;
            l.Name(a.Name).Name(TypeText(a.Type));
            std::string flags;
            if (a.Optional) flags += "Optional ";
            if (a.ByVal) flags += "ByVal ";
            if (a.ByRef) flags += "ByRef ";
            if (a.ParamArray) flags += "ParamArray ";
            if (a.IsArray) flags += "() ";
            if (a.HasDefault) flags += "= ";
            if (!flags.empty()) flags.pop_back();
            l << (flags.empty() ? "-" : flags.c_str());
        }
    }
    for (const TVbReference& r : s.References) {
        TLine l(text, page, 'R');
        l << r.Line << r.Procedure;
        l.Name(r.Name);
        l << QualifierName(r.QualifierKind);
        l.Name(r.Qualifier);
        if (r.FromString) l << "string";
    }
    for (const TVbErrorHandling& e : s.ErrorHandling) {
        TLine l(text, page, 'E');
        l << e.Line << e.Procedure << (e.ResumeNext ? "ResumeNext" : "GoTo");
    }
    for (const TVbJump& j : s.Jumps) {
        TLine l(text, page, 'J');
        l << j.Line << j.Procedure;
        l.Name(j.Word);
    }
    return text;
}
