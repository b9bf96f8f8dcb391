// The syntax model: statements and #If branches, declarations, procedure headers, the control
// tree and the uses of names, built from real parses of small sources.
#include "vbsyntax/VbSyntax.h"
#include "vbsource/VbParsers.h"
#include "vbsyntax/VbSymbols.h"

#include "RuleTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace {

const char* Header = "Attribute VB_Name = \"Module1\"\nOption Explicit\n";

struct TParsed {
    TempDir Dir;
    std::unique_ptr<TVbSource> Source;
    TVbSyntax Syntax;
};

template <typename T = TVbModuleSource>
std::unique_ptr<TParsed> Parse(std::string_view code, const char* name = "Module1.bas") {
    auto p = std::make_unique<TParsed>();
    p->Source = ParsedMember<T>(p->Dir, name, code);
    BuildSyntax(*p->Source, p->Syntax);
    return p;
}

std::string Texts(const TVbSyntax& s) {
    std::string out;
    for (const TVbStatement& st : s.Statements) {
        out += std::to_string(st.Line) + (st.Label ? "L" : "") + ":";
        for (std::uint32_t k = 0; k < st.Count; ++k)
            out += std::string(k ? " " : "") + std::string(s.Words[st.First + k].Text);
        out += "|";
    }
    return out;
}

// The symbols a project of this one member leaves unused, in line order.
std::string UnusedSymbols(const TVbSyntax& syntax) {
    TVbProjectSymbols project;
    project.Reset(1);
    project.SetMember(0, SummarizeMember(syntax, {}));
    project.Resolve();
    std::string unused;
    for (const TVbSymbol& sym : project.Member(0).Symbols)
        if (sym.Unused) unused += sym.Name + " ";
    return unused;
}

} // namespace

TEST(VbSyntax, StatementsSplitAtColonsAndKeepWhatTheTokenizerDropped) {
    auto p = Parse(std::string(Header) + "Sub P()\n"
                                         "Again: x = 1: y = x ' note\n"
                                         "\tz = &H1F\n"
                                         "Rem a: b\n"
                                         "End Sub\n");
    EXPECT_EQ(Texts(p->Syntax),
              "2:Option Explicit|3:Sub P ( )|4L:Again|4:x = 1|4:y = x|5:z = &H1F|7:End Sub|");
}

// A word of the language that the keyword list leaves out is read by the tokenizer as a name; the
// syntax model knows it all the same, whether the list outlives the parse or not.
TEST(VbSyntax, WordsTheKeywordListLeavesOutAreKnownAllTheSame) {
    TempDir dir;
    std::filesystem::create_directories(dir.Path + "/vb");
    for (const char* name : {"internal.txt", "operator.txt"})
        std::filesystem::copy_file(TVbWordLists::DefaultFolder() + "/" + name,
                                   dir.Path + "/vb/" + name);
    std::ifstream in(TVbWordLists::DefaultFolder() + "/keyword.txt", std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    std::string keywords = all.str();
    keywords.erase(keywords.find("Dim\r\n"), 5);
    dir.Write("vb/keyword.txt", keywords);
    const std::string file = dir.Write("Module1.bas", std::string(Header) + "Sub P()\n"
                                                                            "    DIM counter\n"
                                                                            "    counter = 1\n"
                                                                            "End Sub\n");
    TVbWordLists lists(dir.Path + "/vb");
    TVbModuleSource kept(nullptr), own(nullptr);
    kept.Load(file);
    TVbModuleParser(kept, lists).Execute(); // lists that outlive the parse
    own.Load(file);
    TVbModuleParser(own, dir.Path + "/vb").Execute(); // lists read for the parse alone
    for (const TVbModuleSource* source : {&kept, &own}) {
        auto dim = std::find_if(source->Tokens.Get(0), source->Tokens.Get(0) + source->TokenCount(),
                                [](const TVbToken& t) { return t.Text() == "DIM"; });
        ASSERT_EQ(dim->Kind, tkIdentifier) << "the list leaves Dim out";
        TVbSyntax syntax;
        BuildSyntax(*source, syntax);
        ASSERT_EQ(syntax.Declarations.size(), 1u);
        EXPECT_EQ(syntax.Declarations[0].Name, "counter");
        EXPECT_EQ(syntax.Declarations[0].Scope, TVbScope::Local);
    }
}

TEST(VbSyntax, AProcedureHeaderWrittenTwiceUnderIfIsOneProcedure) {
    auto p = Parse(std::string(Header) +
                   "#If VBA7 Then\n"
                   "Public Function Ptr(ByVal h As LongPtr) As LongPtr\n"
                   "#Else\n"
                   "Public Function Ptr(ByVal h As Long) As Long\n"
                   "#End If\n"
                   "    Ptr = h\n"
                   "End Function\n"
                   "#If VBA7 Then\n"
                   "Private Declare PtrSafe Sub Sleep Lib \"kernel32\" (ByVal ms As Long)\n"
                   "#Else\n"
                   "Private Declare Sub Sleep Lib \"kernel32\" (ByVal ms As Long)\n"
                   "#End If\n");
    const TVbSyntax& s = p->Syntax;
    ASSERT_EQ(s.Procedures.size(), 1u);
    EXPECT_EQ(s.Procedures[0].Name, "Ptr");
    EXPECT_EQ(s.Procedures[0].Type.TypeName, "LongPtr");
    EXPECT_EQ(s.Procedures[0].ParameterCount, 1);
    EXPECT_EQ(s.Procedures[0].Statements, 1);
    ASSERT_EQ(s.Declarations.size(), 2u);
    EXPECT_FALSE(s.Declarations[0].Twin);
    EXPECT_TRUE(s.Declarations[1].Twin);
    EXPECT_EQ(s.Directives.size(), 6u);
}

TEST(VbSyntax, DeclarationsWithEveryNameOfAListTheirTypesAndSuffixes) {
    auto p = Parse(std::string(Header) + "Dim a, b As Long, c$\n"
                                         "Private WithEvents mForm As Form1\n"
                                         "Public arr(1 To n) As New Collection\n"
                                         "Const X = 1, Y As Integer = 2\n"
                                         "Public Enum E\n  eA = 1\n  eB\nEnd Enum\n"
                                         "Event Changed(ByVal v As Long)\n"
                                         "Implements Lib.IShape\n"
                                         "DefInt I-K, N\n");
    const TVbSyntax& s = p->Syntax;
    std::string shown;
    for (const TVbDeclaration& d : s.Declarations)
        shown += std::string(d.Name) + "/" + std::string(d.Type.TypeName) +
                 (d.Type.Suffix ? std::string(1, d.Type.Suffix) : "") + (d.IsArray ? "[]" : "") +
                 (d.Type.IsNew ? "new" : "") + (d.WithEvents ? "events" : "") + " ";
    EXPECT_EQ(shown, "a/ b/Long c/$ mForm/Form1events arr/Collection[]new X/ Y/Integer E/ eA/ eB/ "
                     "Changed/ ");
    EXPECT_EQ(s.Declarations[0].Scope, TVbScope::Private);
    EXPECT_EQ(s.Implements, std::vector<std::string_view>{"IShape"});
    EXPECT_EQ(s.DefTypes['J' - 'A'], "DefInt");
    EXPECT_EQ(s.DefTypes['N' - 'A'], "DefInt");
    EXPECT_TRUE(s.DefTypes['L' - 'A'].empty());
}

TEST(VbSyntax, HeadersTakeAKeywordAsNameAndReadEveryParameterWord) {
    auto p = Parse(std::string(Header) +
                   "Friend Property Get Step() As Long\nEnd Property\n"
                   "Private Static Function F$(Optional ByVal n% = 3, ByRef a() As String, _\n"
                   "    ParamArray rest())\nEnd Function\n");
    const TVbSyntax& s = p->Syntax;
    ASSERT_EQ(s.Procedures.size(), 2u);
    EXPECT_EQ(s.Procedures[0].Name, "Step");
    EXPECT_EQ(s.Procedures[0].Kind, TVbProcedureKind::PropertyGet);
    EXPECT_EQ(s.Procedures[0].Scope, TVbScope::Friend);
    const TVbProcedure& f = s.Procedures[1];
    EXPECT_TRUE(f.Static);
    EXPECT_EQ(f.Type.Suffix, '$');
    ASSERT_EQ(f.ParameterCount, 3);
    const TVbParameter* a = s.ParametersOf(f);
    EXPECT_TRUE(a[0].Optional && a[0].ByVal && a[0].HasDefault && a[0].Type.Suffix == '%');
    EXPECT_TRUE(a[1].ByRef && a[1].IsArray && a[1].Type.TypeName == "String");
    EXPECT_TRUE(a[2].ParamArray && !a[2].ByVal && !a[2].ByRef);
}

TEST(VbSyntax, TheControlTreeWithControlArraysAndTheMemberAttributes) {
    auto p = Parse<TVbFormSource>(
        "VERSION 5.00\n"
        "Begin VB.Form Form1\n"
        "   Caption = \"x\"\n"
        "   BeginProperty Font\n      Name = \"MS UI Gothic\"\n   EndProperty\n"
        "   Begin VB.Frame fra\n"
        "      Begin VB.OptionButton opt\n         Index = 2\n      End\n"
        "   End\n"
        "End\n"
        "Attribute VB_Name = \"Form1\"\n"
        "Attribute VB_Exposed = False\n"
        "Option Explicit\n"
        "Private Sub opt_Click(Index As Integer)\nEnd Sub\n"
        "Private Sub Form_Load()\nEnd Sub\n"
        "Private Sub fra_Helper()\nEnd Sub\n"
        "Private Sub Helper()\nEnd Sub\n",
        "Form1.frm");
    const TVbSyntax& s = p->Syntax;
    ASSERT_EQ(s.Controls.size(), 3u);
    EXPECT_EQ(s.Controls[2].Name, "opt");
    EXPECT_EQ(s.Controls[2].Depth, 2);
    EXPECT_EQ(s.Controls[2].Index, 2);
    EXPECT_EQ(s.ModuleName(), "Form1");
    EXPECT_EQ(s.Attribute("VB_Exposed"), "False");
    std::string events;
    for (const TVbProcedure& proc : s.Procedures)
        events += s.IsEventOrInterfaceProcedure(proc) ? "1" : "0";
    EXPECT_EQ(events, "1110");
}

TEST(VbSyntax, UsesCarryTheirQualifier) {
    auto p = Parse(std::string(Header) + "Sub P()\n"
                                         "    a.b.c = Me.d\n"
                                         "    With obj\n        .e Module1.f\n    End With\n"
                                         "    CallByName obj, \"Go\", VbMethod\n"
                                         "End Sub\n");
    std::string shown;
    for (const TVbReference& r : p->Syntax.References)
        shown += std::string(r.Name) + "(" + std::string(r.Root) + ":" + std::string(r.Qualifier) +
                 ":" + std::to_string(int(r.QualifierKind)) + ") ";
    EXPECT_EQ(shown, "a(::0) b(a:a:3) c(a:b:3) d(Me:Me:1) obj(::0) e(::2) Module1(::0) "
                     "f(Module1:Module1:3) CallByName(::0) obj(::0) VbMethod(::0) Go(::3) ");
}

TEST(VbSymbols, ShadowedAndSelfUsesDoNotCountAndEnumsAreUsedThroughTheirMembers) {
    auto p = Parse(std::string(Header) +
                   "Private x As Long\nPrivate y As Long\n"
                   "Private Enum E\n  eOne\nEnd Enum\n"
                   "Private Sub Loops()\n    Loops\nEnd Sub\n"
                   "Public Sub Main()\n    Dim x As Long\n    x = y + eOne\nEnd Sub\n");
    EXPECT_EQ(UnusedSymbols(p->Syntax), "x Loops ");
}

TEST(VbSymbols, NamesAreToldApartByEveryByteAndMatchedInAnyLetterCase) {
    // Names of 16 and of more bytes that differ only in their first bytes, and uses written in
    // another letter case: only the names used are used.
    auto p =
        Parse(std::string(Header) +
              "Private Sub aXbcdefghijklmno()\nEnd Sub\n"
              "Private Sub bXbcdefghijklmno()\nEnd Sub\n"
              "Private Sub aXbcdefghijklmnopqrstu()\nEnd Sub\n"
              "Private Sub bXbcdefghijklmnopqrstu()\nEnd Sub\n"
              "Public Sub Main()\n    AXBCDEFGHIJKLMNO\n    BXBCDEFGHIJKLMNOPQRSTU\nEnd Sub\n");
    EXPECT_EQ(UnusedSymbols(p->Syntax), "bXbcdefghijklmno aXbcdefghijklmnopqrstu ");
}

TEST(VbNames, LetterCaseIsIgnoredForAsciiLettersOnlyAndEqualNamesHashAlike) {
    // Each name in a buffer of its own size, so that a read past its end is caught.
    auto same = [](std::string_view a, std::string_view b) {
        std::unique_ptr<char[]> x(new char[a.size()]), y(new char[b.size()]);
        std::copy(a.begin(), a.end(), x.get());
        std::copy(b.begin(), b.end(), y.get());
        const std::string_view u(x.get(), a.size()), v(y.get(), b.size());
        const bool result = SameName(u, v);
        if (result) EXPECT_EQ(vbname::Hash(u), vbname::Hash(v)) << a << " " << b;
        return result;
    };
    for (std::string_view name :
         {"x", "ab", "abc", "abcd", "abcdefg", "abcdefgh", "abcdefghi", "lngOptionAddress",
          "lngOptionAddress1", "a_very_long_name_of_thirty_bytes"}) {
        std::string upper(name), changed(name);
        for (char& c : upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_TRUE(same(name, upper)) << name;
        changed[changed.size() / 2] = '#';
        EXPECT_FALSE(same(name, changed)) << name;
    }
    // Bytes that differ in the bit that tells letter case, but are no letters, stay different.
    EXPECT_FALSE(same("a@", "a`"));
    EXPECT_FALSE(same("x[y", "x{y"));
    EXPECT_FALSE(same("\x82\xa0x", "\x82\x80x"));
    EXPECT_TRUE(same("\x82\xa0x", "\x82\xa0X"));
    EXPECT_FALSE(same("abc", "abcd"));
}

TEST(VbNames, KeywordsAreKnownInAnyLetterCaseAndOnlyWhole) {
    auto key = [](std::string_view text, char suffix = 0) {
        TVbWord w{text, 1, TVbWordKind::Word, suffix};
        ClassifyWord(w);
        return std::to_string(int(w.Key)) + (w.Reserved ? "r" : "");
    };
    EXPECT_EQ(key("dIM"), key("Dim"));
    EXPECT_EQ(key("Dim"), std::to_string(int(kDim)) + "r");
    EXPECT_EQ(key("PARAMARRAY"), std::to_string(int(kParamArray)) + "r");
    EXPECT_EQ(key("callbyname"), std::to_string(int(kCallByName)));
    EXPECT_EQ(key("Date", '$'), "0");
    for (std::string_view notKey : {"Dimx", "Di", "D", "", "ParamArrays", "Withevent", "As1"})
        EXPECT_EQ(key(notKey), "0") << notKey;
}
