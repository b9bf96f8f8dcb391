// Suppression comments: which findings of a parsed source they suppress.
#include "checkers/Suppression.h"

#include "VbParseSupport.h"
#include <gtest/gtest.h>

namespace {

TFindingRecord At(const std::string& rule, std::int32_t line) {
    TFindingRecord f;
    f.Rule = rule;
    f.File = "Module1.bas";
    f.Line = line;
    f.Message = "m";
    f.Origin = line >= 0 ? TFindingRecord::TOrigin::At : TFindingRecord::TOrigin::AtNoLine;
    return f;
}

} // namespace

TEST(Suppression, LineDirectivesCoverTheirOwnCodeLineOrTheNextLineOfCode) {
    auto source = Parsed(std::string(kModuleHeader) +                                // line 1
                         "Option Explicit\r\n"                                       // 2
                         "Dim a As Long ' vetrin:ignore TVbUnusedLocalVariables\r\n" // 3
                         "' vetrin:ignore tvblimitlengthofline, TVbUnusedArguments -- old code\r\n"
                         "\r\n"                      // 5
                         "' an ordinary comment\r\n" // 6
                         "Dim b As Long\r\n"         // 7
                         "Dim c As Long\r\n");       // 8
    TSuppression s(*source);
    EXPECT_TRUE(s.Suppresses(At("TVbUnusedLocalVariables", 3)));
    EXPECT_FALSE(s.Suppresses(At("TVbLimitLengthOfLine", 3))); // another rule on that line
    EXPECT_FALSE(s.Suppresses(At("TVbUnusedLocalVariables", 7)));
    // Alone on line 4: the next line that holds code is 7, past a blank and a comment line.
    EXPECT_TRUE(s.Suppresses(At("TVbLimitLengthOfLine", 7)));
    EXPECT_TRUE(s.Suppresses(At("TVbUnusedArguments", 7)));
    EXPECT_FALSE(s.Suppresses(At("TVbLimitLengthOfLine", 4)));
    EXPECT_FALSE(s.Suppresses(At("TVbLimitLengthOfLine", 8)));
    // A line directive never covers a finding without a line.
    EXPECT_FALSE(s.Suppresses(At("TVbLimitLengthOfLine", -1)));
}

// A Rem comment holds a directive as a "'" comment does: on a line of its own, or after a ":".
TEST(Suppression, RemCommentsAreCommentsToo) {
    auto source = Parsed(std::string(kModuleHeader) +                                      // line 1
                         "Rem vetrin:ignore TVbUnusedLocalVariables -- kept for later\r\n" // 2
                         "\r\n"                                                            // 3
                         "Dim a As Long\r\n"                                               // 4
                         "Dim b As Long: REM vetrin:ignore TVbLimitLengthOfLine\r\n"       // 5
                         "Dim c As Long: x = \": Rem vetrin:ignore *\"\r\n"                // 6
                         "Remark vetrin:ignore TVbLimitLengthOfLine\r\n"                   // 7
                         "Dim d As Long\r\n"                                               // 8
                         "  Rem vetrin:ignore-file TVbNeedOptionExplicit\r\n");            // 9
    TSuppression s(*source);
    EXPECT_TRUE(s.Suppresses(At("TVbUnusedLocalVariables", 4)));
    EXPECT_FALSE(s.Suppresses(At("TVbUnusedLocalVariables", 2)));
    EXPECT_TRUE(s.Suppresses(At("TVbLimitLengthOfLine", 5)));
    EXPECT_FALSE(s.Suppresses(At("TVbLimitLengthOfLine", 6))); // the Rem stands in a string
    EXPECT_FALSE(s.Suppresses(At("TVbLimitLengthOfLine", 7))); // "Remark" is no Rem
    EXPECT_FALSE(s.Suppresses(At("TVbLimitLengthOfLine", 8)));
    EXPECT_TRUE(s.Suppresses(At("TVbNeedOptionExplicit", -1)));
}

TEST(Suppression, FileDirectivesStarAndUnknownNames) {
    auto source =
        Parsed(std::string(kModuleHeader) + "Dim a As Long\r\n"
                                            "Dim b As Long ' vetrin:ignore *\r\n"
                                            "Dim c As Long ' vetrin:ignore NoSuchRule\r\n"
                                            "' vetrin:ignore-file TVbNeedOptionExplicit\r\n");
    TSuppression s(*source);
    EXPECT_TRUE(s.Suppresses(At("TVbNeedOptionExplicit", -1)));
    EXPECT_TRUE(s.Suppresses(At("TVbNeedOptionExplicit", 2)));
    EXPECT_FALSE(s.Suppresses(At("TVbUnusedLocalVariables", 2)));
    EXPECT_TRUE(s.Suppresses(At("TVbUnusedLocalVariables", 3)));
    EXPECT_TRUE(s.Suppresses(At("TVbLimitLengthOfLine", 3)));
    // An unknown name suppresses nothing, and is no error.
    EXPECT_FALSE(s.Suppresses(At("TVbUnusedLocalVariables", 4)));
    ASSERT_EQ(s.Directives().size(), 3u);
    EXPECT_EQ(s.Directives()[1].Rules, std::vector<std::string>{"NoSuchRule"});
}

TEST(Suppression, OnlyTheTagAtTheStartOfACommentCounts) {
    bool wholeFile = false;
    std::vector<std::string> rules;
    EXPECT_FALSE(ParseSuppressionComment("' see vetrin:ignore X", wholeFile, rules));
    EXPECT_FALSE(ParseSuppressionComment("' vetrin:ignored X", wholeFile, rules));
    EXPECT_TRUE(ParseSuppressionComment("'vetrin:ignore-file A ,B, C reason", wholeFile, rules));
    EXPECT_TRUE(wholeFile);
    EXPECT_EQ(rules, (std::vector<std::string>{"A", "B", "C"}));
    // A string holding the tag is no comment.
    auto source = Parsed(std::string(kModuleHeader) + "Const T = \"' vetrin:ignore *\"\r\n");
    EXPECT_TRUE(TSuppression(*source).Directives().empty());
}

// Files are looked at for the tag before their comments are: the look must find it in any
// letter case and at the ends of the text, and colons elsewhere must not mislead it.
TEST(Suppression, TheTagIsFoundInAnyCaseAmongOtherColons) {
    auto none = Parsed(std::string(kModuleHeader) + "Sub P()\r\nx: y = a:b\r\nEnd Sub\r\n");
    EXPECT_TRUE(TSuppression(*none).Directives().empty());
    auto upper = Parsed(std::string(kModuleHeader) + "' vetrin: x\r\n'VETRIN:Ignore-File *");
    ASSERT_EQ(TSuppression(*upper).Directives().size(), 1u);
    EXPECT_TRUE(TSuppression(*upper).Suppresses(At("TVbNeedOptionExplicit", -1)));
}
