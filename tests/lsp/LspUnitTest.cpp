// The language server's parts that the protocol test reaches only in their common cases.
#include "checkers/RuleTable.h"
#include "lsp/LanguageServer.h"
#include "lsp/RuleHelp.h"
#include "lsp/TextDocument.h"

#include <gtest/gtest.h>

TEST(RuleHelp, EveryRuleOfTheTableIsExplainedInBothLanguages) {
    for (const TRuleRow& row : RuleTable()) {
        const std::string ja = RuleExplanation(row.ClassName, TLanguage::Japanese);
        const std::string en = RuleExplanation(row.ClassName, TLanguage::English);
        EXPECT_FALSE(ja.empty()) << row.ClassName;
        EXPECT_FALSE(en.empty()) << row.ClassName;
        EXPECT_NE(ja, en) << row.ClassName;
    }
    EXPECT_EQ(RuleExplanation("TNoSuchRule", TLanguage::English), "");
}

TEST(TextDocument, EditsClampToTheTextAndCountUtf16Units) {
    // "a😀b": the emoji is two units, so unit 3 is "b".
    TTextDocument text("x\ra\xF0\x9F\x98\x80"
                       "b\r\nlast");
    EXPECT_EQ(text.LineCount(), 3);
    EXPECT_EQ(text.Line(1), "a\xF0\x9F\x98\x80"
                            "b");
    text.ReplaceRange({1, 3}, {1, 4}, "c");
    EXPECT_EQ(text.Line(1), "a\xF0\x9F\x98\x80"
                            "c");
    // Past a line's end is its end; past the last line is the text's end.
    text.ReplaceRange({0, 99}, {0, 99}, "y");
    text.ReplaceRange({9, 0}, {9, 5}, "!");
    EXPECT_EQ(text.Text(), "xy\ra\xF0\x9F\x98\x80"
                           "c\r\nlast!");
    // A start after the end replaces nothing before the start.
    text.ReplaceRange({2, 2}, {0, 0}, "-");
    EXPECT_EQ(text.Line(2), "la-st!");
    EXPECT_EQ(Utf16Length("\xE9\x87\x91\xF0\x9F\x98\x80"), 3);
    EXPECT_EQ(TTextDocument("a\nb").LineEnd(), "\n");
    EXPECT_EQ(TTextDocument("a\r\nb\n").LineEnd(), "\r\n");
}

TEST(FileUri, PathsAreDecodedAndOtherSchemesRefused) {
    EXPECT_EQ(PathOfFileUri("file:///home/a%20b/%E6%97%A5.bas"), "/home/a b/\xE6\x97\xA5.bas");
    EXPECT_EQ(PathOfFileUri("file://localhost/tmp/x.bas"), "/tmp/x.bas");
    EXPECT_EQ(PathOfFileUri("file:///C:/vb/x.bas"), "C:/vb/x.bas");
    EXPECT_EQ(PathOfFileUri("untitled:Untitled-1"), "");
    EXPECT_EQ(PathOfFileUri("file:///bad%2"), "/bad%2");
}
