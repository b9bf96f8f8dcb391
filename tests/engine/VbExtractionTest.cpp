// Extraction of module-level variables and procedures from the tokens.
#include "VbParseSupport.h"
#include "platform/Files.h"

#include <gtest/gtest.h>

#include <filesystem>

using Strings = std::vector<std::string>;

namespace {
std::string Module(std::string_view code) { return std::string(kModuleHeader) + std::string(code); }

const TVbVariable& Var(const TVbVariableList& list, std::string_view name) {
    for (int i = 0; i < list.Count(); ++i)
        if (list.Get(i)->Name() == name) return *list.Get(i);
    throw std::runtime_error("no variable " + std::string(name));
}
} // namespace

// ---- Module-level variables ----

TEST(VbExtraction, DeclarationsBoundsAndTypes) {
    auto s = Parsed(Module("Dim a, b As Long\r\n"
                           "Private m(1 To 5) As Integer\r\n"
                           "Dim d() As String\r\n"
                           "Public c As New Collection\r\n"
                           "Private t As String * 10\r\n"));
    EXPECT_EQ(Names(s->Variables), (Strings{"a", "b", "m", "d", "c", "t"}));
    EXPECT_EQ(Var(s->Variables, "a").TypeName, "");
    EXPECT_EQ(Var(s->Variables, "b").TypeName, "Long");
    EXPECT_EQ(Var(s->Variables, "m").Bounds, "1 To 5");
    EXPECT_EQ(Var(s->Variables, "m").TypeName, "Integer");
    EXPECT_EQ(Var(s->Variables, "d").Bounds, "");
    EXPECT_EQ(Var(s->Variables, "d").TypeName, "String");
    EXPECT_EQ(Var(s->Variables, "c").TypeName, "New");
    EXPECT_EQ(Var(s->Variables, "t").TypeName, "String");
    EXPECT_EQ(Var(s->Variables, "m").Line(), 3);
}

TEST(VbExtraction, DeclareGivesAVariableAndNoMethod) {
    auto s = Parsed(Module("Private Declare Function GetTickCount Lib \"kernel32\" () As Long\r\n"
                           "Private Sub Run()\r\nEnd Sub\r\n"));
    EXPECT_EQ(Names(s->Variables), (Strings{"GetTickCount"}));
    EXPECT_EQ(Var(s->Variables, "GetTickCount").Bounds, "");
    EXPECT_EQ(Var(s->Variables, "GetTickCount").TypeName, "");
    ASSERT_EQ(s->Methods.Count(), 1);
    EXPECT_EQ(s->Methods.Get(0)->NameToken->Text(), "Run");
}

TEST(VbExtraction, VariablesStopAtTheFirstProcedureAndTakeEveryIdentifierBefore) {
    auto s = Parsed(Module("Const Limit = Size + 1\r\n"
                           "Public Event Changed(ByVal v As Long)\r\n"
                           "Sub Main()\r\n  Dim inner As Long\r\nEnd Sub\r\n"
                           "Dim after\r\n"));
    // The event's argument stands in its bracket text.
    EXPECT_EQ(Names(s->Variables), (Strings{"Limit", "Size", "Changed"}));
    EXPECT_EQ(Var(s->Variables, "Changed").Bounds, "ByVal v As Long");

    // After each name the token that follows the declaration is passed over: here x.
    auto none = Parsed(Module("Dim a\r\nx = y + z\r\n"));
    EXPECT_EQ(Names(none->Variables), (Strings{"a", "y", "z"}));
}

TEST(VbExtraction, BracketNotClosedOnItsLineEndsThereAndReadingGoesOn) {
    // The ")" of a is lost in the dropped rest of its line; b and c are still found.
    auto s = Parsed(Module("Private a(1 To 3 $ )\r\nPrivate b As Long\r\nPrivate c(2)\r\n"));
    EXPECT_EQ(Names(s->Variables), (Strings{"a", "b", "c"}));
    EXPECT_EQ(Var(s->Variables, "a").Bounds, "1 To 3");
    EXPECT_EQ(Var(s->Variables, "b").TypeName, "Long");
    EXPECT_EQ(Var(s->Variables, "c").Bounds, "2");
}

TEST(VbExtraction, NameAtTheEndOfTheTokens) {
    auto s = Parsed(Module("Dim last"));
    ASSERT_EQ(s->Variables.Count(), 1);
    EXPECT_EQ(s->Variables.Get(0)->Bounds, "");
    EXPECT_EQ(s->Variables.Get(0)->TypeName, "");
    auto as = Parsed(Module("Dim x As"));
    ASSERT_EQ(as->Variables.Count(), 1);
    EXPECT_EQ(as->Variables.Get(0)->TypeName, "");
}

// ---- Procedures ----

TEST(VbExtraction, FunctionWithArgumentsAndBody) {
    auto s = Parsed(Module("Public Function F(ByVal x As Integer, y) As Long\r\n"
                           "    F = x\r\n"
                           "    Exit Function\r\n"
                           "End Function\r\n"));
    ASSERT_EQ(s->Methods.Count(), 1);
    const TVbMethod& f = *s->Methods.Get(0);
    EXPECT_EQ(f.NameToken->Text(), "F");
    EXPECT_EQ(Names(f.Arguments), (Strings{"x", "y"}));
    EXPECT_EQ(f.Arguments.Get(0)->TypeName, "Integer");
    EXPECT_EQ(f.Arguments.Get(1)->TypeName, "");
    EXPECT_EQ(Texts(f.Tokens),
              (Strings{"As", "Long", "F", "=", "x", "Exit", "Function", "End", "Function"}));
    EXPECT_EQ(f.Locals.Count(), 0);
    // Body lists answer a token's position in the body, and keep the source's tokens.
    EXPECT_EQ(f.Tokens.IndexOf(s->Tokens.Get(14)), 2);
    EXPECT_EQ(f.Tokens.Get(2), s->Tokens.Get(14));
    EXPECT_EQ(s->Tokens.IndexOf(f.NameToken), 3);
    EXPECT_EQ(f.Tokens.IndexOf(f.NameToken), -1);
}

TEST(VbExtraction, ProceduresInOrderWithoutArgumentsAndBodiesNotSearched) {
    auto s =
        Parsed(Module("Sub Main()\r\n  Call Other\r\nEnd Sub\r\n"
                      "Private Property Get Name() As String\r\n  Name = \"n\"\r\nEnd Property\r\n"
                      "Public Property Let Name(ByVal v As String)\r\nEnd Property\r\n"
                      "Function G\r\nEnd Function\r\n"));
    ASSERT_EQ(s->Methods.Count(), 4);
    EXPECT_EQ(s->Methods.Get(0)->NameToken->Text(), "Main");
    EXPECT_EQ(s->Methods.Get(0)->Arguments.Count(), 0);
    EXPECT_EQ(Texts(s->Methods.Get(0)->Tokens), (Strings{"Call", "Other", "End", "Sub"}));
    EXPECT_EQ(s->Methods.Get(1)->NameToken->Text(), "Name");
    EXPECT_EQ(s->Methods.Get(2)->NameToken->Text(), "Name");
    EXPECT_EQ(Names(s->Methods.Get(2)->Arguments), (Strings{"v"}));
    EXPECT_EQ(s->Methods.Get(3)->NameToken->Text(), "G");
    EXPECT_EQ(Texts(s->Methods.Get(3)->Tokens), (Strings{"End", "Function"}));
}

TEST(VbExtraction, PropertyWordMissingFromTheKeywordsBecomesTheName) {
    TempDir dir;
    std::string keywords;
    std::string defaults = platform::ExecutableDir() + "/vb/";
    std::vector<std::string> lines;
    ASSERT_TRUE(platform::ReadFileLines(defaults + "keyword.txt", lines));
    for (const auto& w : lines)
        if (w != "Get") keywords += w + "\r\n";
    dir.Write("vb/keyword.txt", keywords);
    std::filesystem::copy_file(defaults + "internal.txt", dir.Path + "/vb/internal.txt");
    std::filesystem::copy_file(defaults + "operator.txt", dir.Path + "/vb/operator.txt");

    auto s = SourceOf(Module("Property Get Name() As String\r\nEnd Property\r\n"));
    ASSERT_TRUE(TVbModuleParser(*s, dir.Path + "/vb").Execute());
    ASSERT_EQ(s->Methods.Count(), 1);
    EXPECT_EQ(s->Methods.Get(0)->NameToken->Text(), "Get");
    EXPECT_EQ(s->Methods.Get(0)->Arguments.Count(), 0);
}

TEST(VbExtraction, ArgumentListEndsAtItsBracketOrItsLine) {
    auto s = Parsed(
        Module("Sub A(Optional b As Boolean = False)\r\n  Dim k As Long\r\n  k = 1\r\nEnd Sub\r\n"
               "Sub B(s As String * 8)\r\n  t = s\r\nEnd Sub\r\n"
               "Sub C(Optional n As Long = 0, ByRef m)\r\n  m = n\r\nEnd Sub\r\n"
               "Sub D(Optional x As Single = 0!)\r\n  y = x\r\nEnd Sub\r\n"
               "Sub E(Optional x As Long = Limit)\r\n  z = x\r\nEnd Sub\r\n"
               "Sub F(a() As String, _\r\n      ByVal c As Long)\r\n  z = c\r\nEnd Sub\r\n"));
    ASSERT_EQ(s->Methods.Count(), 6);
    EXPECT_EQ(Names(s->Methods.Get(0)->Arguments), (Strings{"b"}));
    EXPECT_EQ(Texts(s->Methods.Get(0)->Tokens).front(), "Dim");
    EXPECT_EQ(Names(s->Methods.Get(1)->Arguments), (Strings{"s"}));
    EXPECT_EQ(s->Methods.Get(1)->Arguments.Get(0)->TypeName, "String");
    EXPECT_EQ(Names(s->Methods.Get(2)->Arguments), (Strings{"n", "m"}));
    // The ")" of D stands in the dropped "!)": the list ends with its line and the body keeps y.
    EXPECT_EQ(Names(s->Methods.Get(3)->Arguments), (Strings{"x"}));
    EXPECT_EQ(Texts(s->Methods.Get(3)->Tokens), (Strings{"y", "=", "x", "End", "Sub"}));
    // A default value names no argument.
    EXPECT_EQ(Names(s->Methods.Get(4)->Arguments), (Strings{"x"}));
    EXPECT_EQ(Names(s->Methods.Get(5)->Arguments), (Strings{"a", "c"}));
    EXPECT_EQ(s->Methods.Get(5)->Arguments.Get(1)->Line(), 18);
}

// ---- Failures ----

TEST(VbExtraction, UnfinishedProcedureIsNotAddedAndEarlierOnesStay) {
    bool ok = true;
    auto s = Parsed(Module("Sub A()\r\nEnd Sub\r\nSub B(x)\r\n  x = 1\r\n"), &ok);
    EXPECT_FALSE(ok);
    ASSERT_EQ(s->Methods.Count(), 1);
    EXPECT_EQ(s->Methods.Get(0)->NameToken->Text(), "A");
    EXPECT_EQ(s->Tokens.Count(), 15); // the tokens stay
}

TEST(VbExtraction, ArgumentListOpenAtTheEndFails) {
    bool ok = true;
    auto s = Parsed(Module("Sub A(x, y"), &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(s->Methods.Count(), 0);
}

// A default value runs to the "," or ")" at its own depth, whatever names and brackets it holds.
TEST(VbExtraction, DefaultValuesNameNoArguments) {
    auto s = Parsed(Module("Sub A(Optional ByVal Flags As Long = eafAlt Or eafVirtKey, k)\r\n"
                           "End Sub\r\n"
                           "Sub B(Optional v = Fn(a, b) + c, Optional w = (d), e As Long)\r\n"
                           "End Sub\r\n"));
    ASSERT_EQ(s->Methods.Count(), 2);
    EXPECT_EQ(Names(s->Methods.Get(0)->Arguments), (Strings{"Flags", "k"}));
    EXPECT_EQ(Names(s->Methods.Get(1)->Arguments), (Strings{"v", "w", "e"}));
    EXPECT_EQ(Texts(s->Methods.Get(1)->Tokens), (Strings{"End", "Sub"}));
}

// A keyword directly before the header's "(" is the name; the search for a name never leaves
// the header's line.
TEST(VbExtraction, AProcedureNamedWithAKeyword) {
    bool ok = false;
    auto s = Parsed(Module("Property Get Step() As Long\r\n"
                           "Attribute Step.VB_Description = \"Step size\"\r\n"
                           "  Step = m\r\n"
                           "End Property\r\n"
                           "Public Property Let Step(ByVal Value As Long)\r\n"
                           "End Property\r\n"
                           "Function Error() As String\r\n"
                           "End Function\r\n"),
                    &ok);
    EXPECT_TRUE(ok);
    ASSERT_EQ(s->Methods.Count(), 3);
    const TVbMethod& get = *s->Methods.Get(0);
    EXPECT_EQ(get.NameToken->Text(), "Step");
    EXPECT_EQ(get.Line, 2);
    EXPECT_EQ(Texts(get.Tokens).front(), "As");
    const TVbMethod& let = *s->Methods.Get(1);
    EXPECT_EQ(let.NameToken->Text(), "Step");
    EXPECT_EQ(Names(let.Arguments), (Strings{"Value"}));
    EXPECT_EQ(s->Methods.Get(2)->NameToken->Text(), "Error");
    // The keyword keeps the scope the tokenizer gave it.
    EXPECT_EQ(get.NameToken->Scope, 6);
}

// A header line that holds no name reads no procedure, and the procedures after it are read.
TEST(VbExtraction, AHeaderLineWithoutANameIsPassed) {
    bool ok = false;
    auto s = Parsed(Module("Dim a\r\nEnd Sub\r\nSub B()\r\nEnd Sub\r\nPublic Sub"), &ok);
    EXPECT_TRUE(ok);
    ASSERT_EQ(s->Methods.Count(), 1);
    EXPECT_EQ(s->Methods.Get(0)->NameToken->Text(), "B");
    EXPECT_EQ(Names(s->Variables), (Strings{"a"}));
}

TEST(VbExtraction, ProcedureAsTheVeryFirstTokenOfAFileWithoutHeader) {
    bool ok = false;
    auto s = Parsed("Sub Main()\r\n  x = 1\r\nEnd Sub\r\n"
                    "Private Declare Sub Sleep Lib \"kernel32\" (ByVal n As Long)\r\n",
                    &ok);
    EXPECT_TRUE(ok);
    ASSERT_EQ(s->Methods.Count(), 1);
    EXPECT_EQ(s->Methods.Get(0)->NameToken->Text(), "Main");
    EXPECT_EQ(s->Methods.Get(0)->NameToken->Scope, 2);
    EXPECT_EQ(s->Variables.Count(), 0);
}
