#include "checkers/VBUnusedArguments.h"
#include "checkers/VBUnusedLocalVariables.h"

#include "RuleTestSupport.h"

#include <gtest/gtest.h>

namespace {
const char* Header = "Attribute VB_Name = \"Module1\"\nOption Explicit\n";

Lines Locals(std::string_view body) {
    TempDir dir;
    auto source =
        ParsedMember<TVbModuleSource>(dir, "Module1.bas", std::string(Header) + std::string(body));
    TRuleHarness h;
    h.Enable<TVBUnusedLocalVariables>();
    return h.Check(*source);
}

Lines Arguments(std::string_view body, const TStringList& exceptions = {}) {
    TempDir dir;
    auto source =
        ParsedMember<TVbModuleSource>(dir, "Module1.bas", std::string(Header) + std::string(body));
    TRuleHarness h;
    h.Enable<TVBUnusedArguments>().ExceptionList = exceptions;
    return h.Check(*source);
}
} // namespace

TEST(RuleUnusedLocals, DimWithoutAnyLaterMention) {
    EXPECT_EQ(Locals("Sub A()\n"
                     "    Dim n As Integer\n"
                     "End Sub\n"),
              Lines{"(4) : ローカル変数 n は未使用です。"});
    // An assignment counts as a use.
    EXPECT_EQ(Locals("Sub A()\n"
                     "    Dim n As Integer\n"
                     "    n = 1\n"
                     "End Sub\n"),
              Lines{});
}

TEST(RuleUnusedLocals, OnlyTheFirstNameOfADimIsTracked) {
    EXPECT_EQ(Locals("Sub A()\n"
                     "    Dim a, b\n"
                     "End Sub\n"),
              Lines{"(4) : ローカル変数 a は未使用です。"});
}

TEST(RuleUnusedLocals, EachProcedureIsJudgedOnItsOwnInSourceOrder) {
    EXPECT_EQ(
        Locals("Sub A()\n"
               "    Dim i As Long\n"
               "    Dim k As Long\n"
               "    Dim j As Long\n"
               "    j = 1\n"
               "End Sub\n"
               "Sub B()\n"
               "    Dim i As Long\n"
               "    For i = 1 To 2\n"
               "    Next\n"
               "End Sub\n"),
        (Lines{"(4) : ローカル変数 i は未使用です。", "(5) : ローカル変数 k は未使用です。"}));
}

TEST(RuleUnusedLocals, WhatIsNoUse) {
    // A member name after ".", a comment, a string, another letter case, a mention before the
    // declaration: none of them uses the local.
    EXPECT_EQ(
        Locals("Sub A()\n"
               "    Dim s As String\n"
               "    obj.s = 1\n"
               "    ' s\n"
               "    x = \"s\"\n"
               "    Dim Total As Long\n"
               "    total = 1\n"
               "    k = 1\n"
               "    Dim k As Long\n"
               "End Sub\n"),
        (Lines{"(4) : ローカル変数 s は未使用です。", "(8) : ローカル変数 Total は未使用です。",
               "(11) : ローカル変数 k は未使用です。"}));
}

TEST(RuleUnusedLocals, ReDimAndStaticDeclareNothing) {
    // The name after ReDim is a use of the Dim before it; Static and Const are not tracked.
    EXPECT_EQ(Locals("Sub A()\n"
                     "    Dim arr() As Long\n"
                     "    ReDim arr(5)\n"
                     "    ReDim other(5)\n"
                     "    Static st As Long\n"
                     "    Const c = 1\n"
                     "End Sub\n"),
              Lines{});
}

TEST(RuleUnusedLocals, ModuleLevelDimIsNeverExamined) {
    EXPECT_EQ(Locals("Dim m As Long\n"
                     "Sub A()\n"
                     "End Sub\n"),
              Lines{});
}

TEST(RuleUnusedLocals, AUseInTextTheTokenizerDroppedCounts) {
    // "$", "#", "!" and the statement separator ":" end the tokens of their line; the names
    // after them are still uses.
    EXPECT_EQ(Locals("Sub A()\n"
                     "    Dim s As String\n"
                     "    Dim f As Integer\n"
                     "    Dim c As Long: c = 1\n"
                     "    Dim x As Single\n"
                     "    Debug.Print Left$(s, 1)\n"
                     "    Print #f, 1\n"
                     "    y = 0!: Debug.Print x\n"
                     "End Sub\n"),
              Lines{});
}

TEST(RuleUnusedLocals, DroppedTextCountsOnlyAsAWholeWordWithinTheProcedure) {
    EXPECT_EQ(
        Locals("Sub A()\n"
               "    Dim ab As String\n"
               "    Dim s As String\n"
               "    Dim t As String\n"
               "    Debug.Print Left$(abc, 1) & Left$(表s, 1) & Left$(t_, 1)\n"
               "End Sub\n"
               "Sub B()\n"
               "    Dim u As String\n"
               "End Sub\n"
               "Sub C()\n"
               "    Debug.Print Left$(u, 1)\n"
               "End Sub\n"),
        (Lines{"(4) : ローカル変数 ab は未使用です。", "(5) : ローカル変数 s は未使用です。",
               "(6) : ローカル変数 t は未使用です。", "(10) : ローカル変数 u は未使用です。"}));
}

TEST(RuleUnusedArguments, EachArgumentIsJudgedByItsOwnSearch) {
    EXPECT_EQ(Arguments("Sub P(a, b)\n"
                        "    x = a\n"
                        "End Sub\n"
                        "Sub Q(a, _\n"
                        "      b)\n"
                        "    x = b\n"
                        "End Sub\n"
                        "Sub R()\n"
                        "    x = 1\n"
                        "End Sub\n"),
              (Lines{"(3) : 引数 b は未使用です。", "(6) : 引数 a は未使用です。"}));
}

TEST(RuleUnusedArguments, WhatIsNoUse) {
    // A member name, the first token of the body, a comment, a string, another letter case.
    EXPECT_EQ(Arguments("Sub P(a, b, c, d)\n"
                        "    a = obj.b ' c\n"
                        "    x = \"c\" & D\n"
                        "End Sub\n"),
              (Lines{"(3) : 引数 a は未使用です。", "(3) : 引数 b は未使用です。",
                     "(3) : 引数 c は未使用です。", "(3) : 引数 d は未使用です。"}));
    // The return type and its "As" are body tokens: a name there is a use.
    EXPECT_EQ(Arguments("Function F(Foo As Long) As Foo\n"
                        "End Function\n"),
              Lines{});
}

TEST(RuleUnusedArguments, EventProceduresAndExceptedNamesAreLeftAlone) {
    const char* body = "Private Sub Command1_Click(Index As Integer)\n"
                       "End Sub\n"
                       "Sub P(index As Integer, other As Long)\n"
                       "End Sub\n";
    EXPECT_EQ(Arguments(body),
              (Lines{"(5) : 引数 index は未使用です。", "(5) : 引数 other は未使用です。"}));
    EXPECT_EQ(Arguments(body, {"", " other", "Index"}), Lines{"(5) : 引数 other は未使用です。"});
}

TEST(RuleUnusedArguments, AnIdentifierDefaultValueIsNoArgument) {
    EXPECT_EQ(Arguments("Sub P(Optional s As String = vbNullString, Optional n As Long = Limit)\n"
                        "    x = s\n"
                        "End Sub\n"),
              Lines{"(3) : 引数 n は未使用です。"});
}

TEST(RuleUnusedArguments, ArgumentNameTokensKeepTheirPositionInTheSourceList) {
    TempDir dir;
    auto source = ParsedMember<TVbModuleSource>(dir, "Module1.bas",
                                                std::string(Header) +
                                                    "Sub P(ByVal a As Long, Optional b = c)\n"
                                                    "    x = a + b\n"
                                                    "End Sub\n");
    ASSERT_EQ(source->Methods.Count(), 1);
    const TVbMethod& m = *source->Methods.Get(0);
    ASSERT_EQ(m.Arguments.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        const TVbToken* name = m.Arguments.Get(i)->NameToken;
        EXPECT_EQ(source->Tokens.Get(name->Index), name);
    }
}

TEST(RuleUnusedArguments, AUseInTextTheTokenizerDroppedCounts) {
    EXPECT_EQ(Arguments("Sub P(s, n, f, q)\n"
                        "    Debug.Print Left$(s, n)\n"
                        "    Print #f, 1: Debug.Print q\n"
                        "End Sub\n"
                        "Sub Q(s)\n"
                        "End Sub\n"
                        "Sub R()\n"
                        "    Debug.Print Left$(s, 1)\n"
                        "End Sub\n"),
              Lines{"(7) : 引数 s は未使用です。"});
}
