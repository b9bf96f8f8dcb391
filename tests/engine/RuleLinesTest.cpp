#include "checkers/VBNeedOptionExplicit.h"
#include "checkers/VbAnalyzeStatistics.h"
#include "checkers/VbLimitLengthOfLine.h"

#include "RuleTestSupport.h"

#include <gtest/gtest.h>

namespace {
const char* ModuleHeader = "Attribute VB_Name = \"Module1\"\n";

Lines LongLines(std::string_view text, std::int32_t maxLength = 80) {
    TempDir dir;
    auto source = ParsedMember<TVbModuleSource>(dir, "Module1.bas", text);
    TRuleHarness h;
    h.Enable<TVbLimitLengthOfLine>().MaxLength = maxLength;
    return h.Check(*source);
}

std::string Repeat(std::string_view s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

struct Counts {
    int Total, Code, Blank, Comment;
    bool operator==(const Counts&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Counts& c) {
    return out << "{" << c.Total << ", " << c.Code << ", " << c.Blank << ", " << c.Comment << "}";
}

Counts Statistics(std::string_view text) {
    TempDir dir;
    auto source = ParsedMember<TVbModuleSource>(dir, "Module1.bas", text);
    TRuleHarness h;
    h.Enable<TVbAnalyzeStatistics>();
    EXPECT_EQ(h.Check(*source), Lines{}); // it never reports
    EXPECT_TRUE(source->StatisticsDone);
    const TVbStaticticsInfo& s = source->Statistics;
    Counts first{s.TotalLines, s.CodeLines, s.BlankLines, s.CommentLines};
    // A second run sets the counts afresh.
    h.Check(*source);
    EXPECT_EQ((Counts{s.TotalLines, s.CodeLines, s.BlankLines, s.CommentLines}), first);
    return first;
}
} // namespace

TEST(RuleLineLength, LongerThanTheLimitInBytes) {
    const std::string msg = ") : 一行の長さが制限(80文字)を越えています。";
    std::string text = std::string(ModuleHeader) + "'" + std::string(79, 'a') + "\n" + // 80 bytes
                       "'" + std::string(80, 'a') + "\n" +                             // 81 bytes
                       Repeat("表", 40) + "\n" +                                       // 80 bytes
                       Repeat("表", 40) + "a\n" +                                      // 81 bytes
                       "\t\t'" + std::string(77, 'a') + "\n" + // tabs count one each: 80
                       "\t\t'" + std::string(78, 'a') + "\n";  // 81
    EXPECT_EQ(LongLines(text), (Lines{"(3" + msg, "(5" + msg, "(7" + msg}));
}

TEST(RuleLineLength, TheMessageQuotesTheLimit) {
    EXPECT_EQ(LongLines(std::string(ModuleHeader) + "x = 12345\n", 8),
              Lines{"(2) : 一行の長さが制限(8文字)を越えています。"});
}

TEST(RuleLineLength, TheHeaderIsNeverJudged) {
    const std::string longName(120, 'n');
    std::string form = "VERSION 5.00\n"
                       "Begin VB.Form Form1\n"
                       "   Caption         =   \"" +
                       longName +
                       "\"\n"
                       "End\n"
                       "Attribute VB_Name = \"" +
                       longName +
                       "\"\n"
                       "Option Explicit\n"
                       "' " +
                       longName + "\n";
    TempDir dir;
    auto source = ParsedMember<TVbFormSource>(dir, "Form1.frm", form);
    TRuleHarness h;
    h.Enable<TVbLimitLengthOfLine>();
    EXPECT_EQ(h.Check(*source), Lines{"(7) : 一行の長さが制限(80文字)を越えています。"});

    // Judging starts at the line of the first code token: blank lines before it are not judged.
    const std::string spaces(90, ' ');
    EXPECT_EQ(LongLines("Attribute VB_Name = \"" + longName + "\"\n\n" + spaces + "\nx = 1\n" +
                        spaces + "\n"),
              Lines{"(5) : 一行の長さが制限(80文字)を越えています。"});
}

TEST(RuleLineLength, AFileOfHeaderOnlyHasOnlyItsLastLineJudged) {
    const std::string longText(100, 'n');
    const std::string property = "   Tag = \"" + longText + "\"\n";
    EXPECT_EQ(LongLines("VERSION 5.00\nBegin VB.Form F\n" + property + property),
              Lines{"(4) : 一行の長さが制限(80文字)を越えています。"});
    // An Attribute line is never judged, also as the last line.
    EXPECT_EQ(LongLines("Attribute VB_Name = \"" + longText + "\"\n" + "Attribute VB_Name = \"" +
                        longText + "\"\n"),
              Lines{});
}

// The IDE writes Attribute lines among the procedures too, and its editor never shows them.
TEST(RuleLineLength, AttributeLinesInTheCodeAreNotJudged) {
    const std::string description(100, 'd');
    const std::string attribute = "Attribute Step.VB_Description = \"" + description + "\"\n";
    EXPECT_EQ(LongLines(std::string(ModuleHeader) + "Property Get Step() As Long\n" + attribute +
                        "    x = \"" + description + "\"\n" + "End Property\n"),
              Lines{"(4) : 一行の長さが制限(80文字)を越えています。"});
    // Only a line that begins with the word: a long line that mentions it is judged.
    EXPECT_EQ(LongLines(std::string(ModuleHeader) + "x = Attribute + \"" + description + "\"\n"),
              Lines{"(2) : 一行の長さが制限(80文字)を越えています。"});
}

TEST(RuleLineLength, ContinuedStatementsAreJudgedLineByLine) {
    std::string part = "x = x + " + std::string(40, '1') + " _"; // 50 bytes
    std::string text =
        std::string(ModuleHeader) + part + "\n" + part + "\n" + std::string(48, '2') + "\n";
    EXPECT_EQ(LongLines(text), Lines{});
    std::string joined = std::string(ModuleHeader) + "x = " + std::string(146, '1') + "\n";
    EXPECT_EQ(LongLines(joined), Lines{"(2) : 一行の長さが制限(80文字)を越えています。"});
}

TEST(RuleLineLength, ZeroAndNegativeLimits) {
    std::string text = std::string(ModuleHeader) + "x = 1\n\ny = 2\n";
    EXPECT_EQ(LongLines(text, 0), (Lines{"(2) : 一行の長さが制限(0文字)を越えています。",
                                         "(4) : 一行の長さが制限(0文字)を越えています。"}));
    EXPECT_EQ(LongLines(text, -1), (Lines{"(2) : 一行の長さが制限(-1文字)を越えています。",
                                          "(3) : 一行の長さが制限(-1文字)を越えています。",
                                          "(4) : 一行の長さが制限(-1文字)を越えています。"}));
}

TEST(RuleStatistics, CodeBlankAndCommentLines) {
    EXPECT_EQ(Statistics(std::string(ModuleHeader) +
                         "\nOption Explicit\n' only a comment\nx = 1 ' set\n"),
              (Counts{5, 2, 1, 2}));
    // A line holding only a tab is blank, and so is every line after the last token.
    EXPECT_EQ(Statistics(std::string(ModuleHeader) + "x = 1\n\t\ny = 2\n\n\n\n"),
              (Counts{7, 2, 4, 0}));
    // A statement over three lines: three lines in the total, one code line.
    EXPECT_EQ(Statistics(std::string(ModuleHeader) + "x = 1 + _\n    2 + _\n    3\ny = 1\n"),
              (Counts{5, 2, 0, 0}));
}

TEST(RuleStatistics, HeaderLinesAndLinesOfDroppedTextCountInNoCategory) {
    std::string form = "VERSION 5.00\n"
                       "Begin VB.Form Form1\n"
                       "End\n"
                       "Attribute VB_Name = \"Form1\"\n"
                       "Option Explicit\n"
                       "\n"
                       "#If False Then\n"
                       "x = 1\n";
    EXPECT_EQ(Statistics(form), (Counts{8, 2, 1, 0}));
}

// The walk hands the lines in runs: a member of several runs is counted and judged whole, and
// "Option" at the end of one run and "Explicit" at the start of the next stand side by side.
TEST(RuleLines, AMemberOfManyRunsOfLinesIsWalkedWhole) {
    const int total = 2600;
    std::string text = ModuleHeader;
    Counts expected{total, 0, 0, 0};
    Lines tooLong;
    for (int line = 2; line <= total; ++line) {
        if (line == 1024 || line == 1025) {
            text += line == 1024 ? "Option\n" : "Explicit\n";
            ++expected.Code;
            continue;
        }
        switch (line % 4) {
        case 0:
            text += "x = 1\n";
            ++expected.Code;
            break;
        case 1:
            text += "' comment\n";
            ++expected.Comment;
            break;
        case 2:
            text += "\n";
            ++expected.Blank;
            break;
        default:
            text += "y = \"" + Repeat("a", 90) + "\"\n";
            ++expected.Code;
            tooLong.push_back("(" + std::to_string(line) +
                              ") : 一行の長さが制限(80文字)を越えています。");
        }
    }
    EXPECT_EQ(Statistics(text), expected);
    EXPECT_EQ(LongLines(text), tooLong);
    TempDir dir;
    auto source = ParsedMember<TVbModuleSource>(dir, "Module1.bas", text);
    TRuleHarness h;
    h.Enable<TVBNeedOptionExplicit>();
    EXPECT_EQ(h.Check(*source), Lines{});
}
