// Token patterns common in real VB6 code that made the unused rules report names that are not
// unused, or lose whole procedures. Each case gives the exact findings; the comment says how many
// the rules reported before they knew the pattern.
#include "checkers/VBUnusedArguments.h"
#include "checkers/VBUnusedLocalVariables.h"
#include "checkers/VbAnalyzeStatistics.h"
#include "checkers/VbProhibitImplicitPublicDeclaration.h"

#include "RuleTestSupport.h"

#include <gtest/gtest.h>

namespace {
const char* Header = "Attribute VB_Name = \"Module1\"\nOption Explicit\n";

template <typename... Rules> Lines Findings(std::string_view body) {
    TempDir dir;
    auto source =
        ParsedMember<TVbModuleSource>(dir, "Module1.bas", std::string(Header) + std::string(body));
    TRuleHarness h;
    (h.Enable<Rules>(), ...);
    return h.Check(*source);
}
} // namespace

// Unmended: 3 findings (Recordset, v, OLEDropConstants).
TEST(RuleRealCode, SecondPartOfADottedTypeIsNoArgument) {
    EXPECT_EQ(Findings<TVBUnusedArguments>("Sub Fill(ByVal rs As ADODB.Recordset, _\n"
                                           "         ByVal v As VBRUN.OLEDropConstants)\n"
                                           "    Debug.Print rs.RecordCount\n"
                                           "End Sub\n"),
              Lines{"(3) : 引数 v は未使用です。"});
}

// Unmended: 2 findings (ToolBar, n); the keyword-named argument itself is never extracted.
TEST(RuleRealCode, TypeAfterAKeywordNameIsNoArgument) {
    EXPECT_EQ(Findings<TVBUnusedArguments>("Sub Arrange(ByVal Object As ToolBar, ByVal n As Long)\n"
                                           "    Debug.Print 1\n"
                                           "End Sub\n"),
              Lines{"(3) : 引数 n は未使用です。"});
}

// Unmended: 2 findings (unused, force): the Declare became a procedure that swallowed Elapsed, so
// its argument since was never checked.
TEST(RuleRealCode, DeclarePtrSafeMakesNoProcedure) {
    const char* code = "Private Declare PtrSafe Function GetTickCount Lib \"kernel32\" () As Long\n"
                       "Private Declare Function GetTickCount Lib \"kernel32\" () As Long\n"
                       "Private Function Elapsed(ByVal since As Long) As Long\n"
                       "    Dim unused As Long\n"
                       "    Elapsed = 0\n"
                       "End Function\n"
                       "Private Sub Reset(ByVal force As Boolean)\n"
                       "End Sub\n";
    EXPECT_EQ((Findings<TVBUnusedLocalVariables, TVBUnusedArguments>(code)),
              (Lines{"(6) : ローカル変数 unused は未使用です。", "(5) : 引数 since は未使用です。",
                     "(9) : 引数 force は未使用です。"}));
    TempDir dir;
    auto source = ParsedMember<TVbModuleSource>(dir, "Module1.bas", std::string(Header) + code);
    ASSERT_EQ(source->Methods.Count(), 2);
    EXPECT_EQ(source->Methods.Get(0)->NameToken->Text(), "Elapsed");
}

// Unmended: 1 finding (the second x).
TEST(RuleRealCode, AUseCountsForEveryDeclarationOfTheName) {
    EXPECT_EQ(Findings<TVBUnusedLocalVariables>("Sub A()\n"
                                                "#If Win64 Then\n"
                                                "    Dim x As LongLong\n"
                                                "#Else\n"
                                                "    Dim x As Long\n"
                                                "#End If\n"
                                                "    Dim y As Long\n"
                                                "    x = 1\n"
                                                "End Sub\n"),
              Lines{"(9) : ローカル変数 y は未使用です。"});
}

// Unmended: 0 findings: the state stayed Private after End Property.
TEST(RuleRealCode, EndPropertyLeavesTheProcedure) {
    EXPECT_EQ(Findings<TVbProhibitImplicitPublicDeclaration>("Private Property Get Size() As Long\n"
                                                             "    Size = 1\n"
                                                             "End Property\n"
                                                             "Function Twice(ByVal n As Long)\n"
                                                             "    Twice = n * 2\n"
                                                             "End Function\n"),
              Lines{"(6) : メソッド Twice は暗黙的にPublic宣言されています"});
}

// Unmended: 0 findings: ".sText" in the dropped text counted as a use of sText.
TEST(RuleRealCode, MemberNameInDroppedTextIsNoUse) {
    EXPECT_EQ(Findings<TVBUnusedLocalVariables>("Sub A(ByVal i As Long)\n"
                                                "    Dim sText As String\n"
                                                "    Dim first As String\n"
                                                "    first = Left$(m_Cells(i).sText, 1)\n"
                                                "    Debug.Print Left$(first, 1)\n"
                                                "End Sub\n"),
              Lines{"(4) : ローカル変数 sText は未使用です。"});
}

// Unmended: 1 blank line (the two lines of DEL did not count).
TEST(RuleRealCode, DelIsAControlCharacterInBlankLines) {
    TempDir dir;
    auto source = ParsedMember<TVbModuleSource>(dir, "Module1.bas",
                                                std::string(Header) + "\x7F\n \t\x7F \nDim x\n\n");
    TRuleHarness h;
    h.Enable<TVbAnalyzeStatistics>();
    h.Check(*source);
    EXPECT_EQ(source->Statistics.BlankLines, 3);
    EXPECT_EQ(source->Statistics.CodeLines, 2);
}
