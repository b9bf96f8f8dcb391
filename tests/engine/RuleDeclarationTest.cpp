#include "checkers/VBNeedOptionExplicit.h"
#include "checkers/VbProhibitImplicitPublicDeclaration.h"

#include "RuleTestSupport.h"

#include <gtest/gtest.h>

namespace {
Lines OptionExplicit(std::string_view text) {
    TempDir dir;
    auto source = ParsedMember<TVbModuleSource>(dir, "Module1.bas", text);
    TRuleHarness h;
    h.Enable<TVBNeedOptionExplicit>();
    return h.Check(*source);
}

Lines ImplicitPublic(std::string_view text, bool exceptSubMain = true) {
    TempDir dir;
    auto source = ParsedMember<TVbModuleSource>(
        dir, "Module1.bas", "Attribute VB_Name = \"Module1\"\n" + std::string(text));
    TRuleHarness h;
    h.Enable<TVbProhibitImplicitPublicDeclaration>().ExceptSubMain = exceptSubMain;
    return h.Check(*source);
}
} // namespace

TEST(RuleOptionExplicit, TheTwoKeywordsSideBySideAnywhere) {
    const Lines missing{" : Option Explicit がありません。"};
    EXPECT_EQ(OptionExplicit("Attribute VB_Name = \"M\"\nOption Explicit\n"), Lines{});
    EXPECT_EQ(OptionExplicit("Attribute VB_Name = \"M\"\nSub A()\nEnd Sub\nOption Explicit\n"),
              Lines{});
    EXPECT_EQ(OptionExplicit("Attribute VB_Name = \"M\"\nOption Explicit\nOption Explicit\n"),
              Lines{});
    EXPECT_EQ(OptionExplicit("Attribute VB_Name = \"M\"\noption explicit\n"), missing);
    EXPECT_EQ(OptionExplicit("Attribute VB_Name = \"M\"\nOption Compare Text\n"), missing);
    EXPECT_EQ(
        OptionExplicit("Attribute VB_Name = \"M\"\n' Option Explicit\nx = \"Option Explicit\"\n"),
        missing);
    // One token only: the walk over pairs must not run past it.
    EXPECT_EQ(OptionExplicit("Attribute VB_Name = \"M\"\n"), missing);
}

TEST(RuleOptionExplicit, AnEmptyFileIsSkippedAsNotParsed) {
    TempDir dir;
    auto source = ParsedMember<TVbModuleSource>(dir, "Empty.bas", "");
    TRuleHarness h;
    h.Enable<TVBNeedOptionExplicit>();
    EXPECT_EQ(h.Check(*source), Lines{});
    ASSERT_EQ(h.Log.Count(), 1);
    EXPECT_NE(h.Log.Lines[0].find(Sj("スキップ(解析されていない)")), std::string::npos);
}

TEST(RuleImplicitPublic, DeclarationsWithoutAScopeWord) {
    EXPECT_EQ(ImplicitPublic("Sub Foo()\nEnd Sub\n"
                             "Public Sub Pub()\nEnd Sub\n"
                             "Private Sub Priv()\nEnd Sub\n"
                             "Friend Function Fr()\nEnd Function\n"
                             "Function Fn() As Long\nEnd Function\n"
                             "Static Sub St()\nEnd Sub\n"
                             "Property Get Pr() As Long\nEnd Property\n"),
              (Lines{"(2) : メソッド Foo は暗黙的にPublic宣言されています",
                     "(10) : メソッド Fn は暗黙的にPublic宣言されています",
                     "(12) : メソッド St は暗黙的にPublic宣言されています",
                     "(14) : メソッド Pr は暗黙的にPublic宣言されています"}));
}

// A procedure named with a keyword is named by it, not by the attribute line below it; the
// keyword name carries no Public scope of its own.
TEST(RuleImplicitPublic, AKeywordNameIsTheProcedureName) {
    EXPECT_EQ(ImplicitPublic("Property Get Step() As Long\n"
                             "Attribute Step.VB_Description = \"Step size\"\n"
                             "End Property\n"
                             "Function Error() As String\n"
                             "End Function\n"
                             "Sub After()\n"
                             "End Sub\n"),
              Lines{"(7) : メソッド After は暗黙的にPublic宣言されています"});
}

TEST(RuleImplicitPublic, TheStartUpProcedureByItsExactName) {
    const char* text = "Sub Main()\nEnd Sub\n"
                       "Function Main()\nEnd Function\n"
                       "Sub main()\nEnd Sub\n";
    EXPECT_EQ(ImplicitPublic(text, true),
              Lines{"(6) : メソッド main は暗黙的にPublic宣言されています"});
    EXPECT_EQ(ImplicitPublic(text, false),
              (Lines{"(2) : メソッド Main は暗黙的にPublic宣言されています",
                     "(4) : メソッド Main は暗黙的にPublic宣言されています",
                     "(6) : メソッド main は暗黙的にPublic宣言されています"}));
}

TEST(RuleImplicitPublic, AContinuedDeclarationIsJudgedByItsFirstLine) {
    EXPECT_EQ(ImplicitPublic("Public Sub A( _\n"
                             "    x As Long)\n"
                             "End Sub\n"
                             "Sub B(x As Long, _\n"
                             "    y As Long)\n"
                             "End Sub\n"),
              Lines{"(5) : メソッド B は暗黙的にPublic宣言されています"});
}

TEST(RuleImplicitPublic, OnlyNamesReadInPublicScope) {
    // After a Declare the tokenizer stays in Private scope until the next procedure ends.
    EXPECT_EQ(ImplicitPublic("Private Declare Function GetTickCount Lib \"kernel32\" () As Long\n"
                             "Sub AfterDeclare()\nEnd Sub\n"
                             "Sub Next1()\nEnd Sub\n"),
              Lines{"(5) : メソッド Next1 は暗黙的にPublic宣言されています"});
}

TEST(RuleImplicitPublic, TheLineSearchGivesUpAfterItsProbesAndLogsIt) {
    // A procedure whose name is the file's last token, alone on its line: the bisection never
    // hits that line. The search logs its failure and judges the first token of the line before.
    TVbModuleSource source(nullptr);
    source.FileName = "/p/M.bas";
    source.Tokens.Reserve(8);
    auto add = [&](std::uint8_t scope, std::uint8_t kind, const char* text, std::int32_t line) {
        source.Tokens.BeginLine(line);
        return source.Tokens.Add(TVbToken(scope, kind, source.StoreText(text)));
    };
    add(scHeader, tkAttribute, "Attribute VB_Name = \"M\"[cr]", 1);
    add(scOther, tkKeyword, "Private", 2);
    add(scOther, tkKeyword, "Sub", 2);
    TVbToken* name = add(scPublic, tkIdentifier, "Lost", 3);
    auto method = std::make_unique<TVbMethod>();
    method->NameToken = name;
    method->Line = 3;
    source.Methods.Add(std::move(method));

    TRuleHarness h;
    h.Enable<TVbProhibitImplicitPublicDeclaration>();
    EXPECT_EQ(h.Check(source), Lines{});
    ASSERT_EQ(h.Log.Count(), 2);
    // After the time stamp: the failure, then the run's completion appended to it.
    EXPECT_EQ(h.Log.Lines[1].substr(20),
              Sj("■検索失敗:TVbProhibitImplicitPublicDeclaration:/p/M.bas:3") +
                  h.Log.Lines[1].substr(h.Log.Lines[1].find(Sj("完了(Time:"))));

    // The same token list where the line before begins with no scope word: reported.
    *source.Tokens.Get(1) = TVbToken(scOther, tkKeyword, source.StoreText("Static"));
    EXPECT_EQ(h.Check(source), Lines{"(3) : メソッド Lost は暗黙的にPublic宣言されています"});
}
