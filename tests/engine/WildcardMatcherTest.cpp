#include "checkers/WildcardMatcher.h"
#include "framework/Errors.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {
// The invalid-mask message for a pattern, or "" when the pattern is valid.
std::string MaskError(std::string_view pattern) {
    try {
        MatchesPattern("x", pattern);
    } catch (const EMaskError& e) {
        return e.Message();
    }
    return "";
}
std::string Expected(int position, std::string_view pattern) {
    return std::to_string(position) + Sj(" 番目の文字（'") + std::string(pattern) +
           Sj("'）は正しくないマスク文字です");
}
} // namespace

TEST(WildcardMatcher, WholeNameAgainstWholePatternIgnoringAsciiCase) {
    EXPECT_TRUE(MatchesPattern("Form1.frm", "*.*"));
    EXPECT_TRUE(MatchesPattern(".", "*.*"));
    EXPECT_FALSE(MatchesPattern("Makefile", "*.*"));
    EXPECT_TRUE(MatchesPattern("frmMain.frm", "frm*.frm"));
    EXPECT_TRUE(MatchesPattern("FRMMAIN.FRM", "frm*.frm"));
    EXPECT_FALSE(MatchesPattern("Main.frm", "frm*.frm"));
    EXPECT_FALSE(MatchesPattern("abcd", "abc"));
    EXPECT_FALSE(MatchesPattern("abc", "abcd"));
    EXPECT_TRUE(MatchesPattern("", ""));
    EXPECT_FALSE(MatchesPattern("a", ""));
    EXPECT_TRUE(MatchesPattern("", "*"));
    EXPECT_TRUE(MatchesPattern("", "***"));
    // Non-letters are compared exactly; half-width katakana has no case.
    EXPECT_FALSE(MatchesPattern("a_b", "a-b"));
    EXPECT_TRUE(MatchesPattern(Sj("ｱ.bas"), Sj("ｱ.BAS")));
}

TEST(WildcardMatcher, QuestionMarkTakesOneByteAndIsAbsorbedAfterAStar) {
    EXPECT_TRUE(MatchesPattern("abc", "a?c"));
    EXPECT_FALSE(MatchesPattern("ac", "a?c"));
    EXPECT_FALSE(MatchesPattern("abbc", "a?c"));
    EXPECT_FALSE(MatchesPattern("ab", "ab?"));
    // "*?" acts as "*": the question mark adds nothing, so an empty run still matches.
    EXPECT_TRUE(MatchesPattern(".bas", "*?.bas"));
    EXPECT_TRUE(MatchesPattern("", "*?"));
    EXPECT_TRUE(MatchesPattern("", "*??"));
    // A question mark before the star is not absorbed.
    EXPECT_FALSE(MatchesPattern(".bas", "?*.bas"));
    // A double-byte character needs two question marks.
    EXPECT_TRUE(MatchesPattern(Sj("表.bas"), "??.bas"));
    EXPECT_FALSE(MatchesPattern(Sj("表.bas"), "?.bas"));
}

TEST(WildcardMatcher, SetsRangesAndNegation) {
    EXPECT_TRUE(MatchesPattern("Bmod.bas", "[a-c]*.bas"));
    EXPECT_TRUE(MatchesPattern("bmod.bas", "[a-c]*.bas"));
    EXPECT_FALSE(MatchesPattern("Dmod.bas", "[a-c]*.bas"));
    EXPECT_FALSE(MatchesPattern("Bmod.bas", "[!a-c]*.bas"));
    EXPECT_TRUE(MatchesPattern("Dmod.bas", "[!a-c]*.bas"));
    EXPECT_TRUE(MatchesPattern("y", "[XYZ]"));
    EXPECT_TRUE(MatchesPattern("Y", "[xyz]"));
    EXPECT_FALSE(MatchesPattern("", "[xyz]"));
    EXPECT_FALSE(MatchesPattern("", "[!xyz]"));
    // A range whose end is below its start adds nothing; its first character still counts.
    EXPECT_TRUE(MatchesPattern("c", "[c-a]"));
    EXPECT_FALSE(MatchesPattern("b", "[c-a]"));
    // Digits and a "-" just before "]" stand for themselves.
    EXPECT_TRUE(MatchesPattern("f7", "f[0-9]"));
    EXPECT_TRUE(MatchesPattern("-", "[a-]"));
    EXPECT_TRUE(MatchesPattern("A", "[a-]"));
    // A double-byte character in a set adds nothing: the set matches single bytes only.
    EXPECT_TRUE(MatchesPattern("ax", Sj("[表a]x")));
    EXPECT_FALSE(MatchesPattern(Sj("表x"), Sj("[表a]x")));
    // A set takes one byte of a double-byte character, as a question mark does.
    EXPECT_TRUE(MatchesPattern(Sj("表"), Sj("[!a][!a]")));
}

TEST(WildcardMatcher, DoubleByteCharactersMatchTheirTwoBytes) {
    EXPECT_TRUE(MatchesPattern(Sj("単体テスト.bas"), Sj("*テスト.bas")));
    EXPECT_TRUE(MatchesPattern(Sj("aテスト.bas"), Sj("*テスト.bas")));
    EXPECT_TRUE(MatchesPattern(Sj("テスト.bas"), Sj("*テスト.bas")));
    EXPECT_FALSE(MatchesPattern(Sj("テスト.bat"), Sj("*テスト.bas")));
    EXPECT_FALSE(MatchesPattern(Sj("テス.bas"), Sj("*テスト.bas")));
    // "ソ" ends in the byte of "\": it is never taken apart.
    EXPECT_TRUE(MatchesPattern(Sj("ソ.frm"), Sj("ソ.*")));
    EXPECT_FALSE(MatchesPattern(Sj("ゾ.frm"), Sj("ソ.*")));
}

TEST(WildcardMatcher, StarsBacktrackShortestFirst) {
    EXPECT_TRUE(MatchesPattern("abcabd", "*ab?"));
    EXPECT_TRUE(MatchesPattern("mississippi", "m*iss*ppi"));
    EXPECT_TRUE(MatchesPattern("a.b.c", "*.c"));
    EXPECT_TRUE(MatchesPattern("a.b.c", "*.*.*"));
    EXPECT_FALSE(MatchesPattern("a.b", "*.*.*"));
    EXPECT_TRUE(MatchesPattern("xaaab", "x*a*b"));
    EXPECT_FALSE(MatchesPattern("xaaac", "x*a*b"));
    EXPECT_TRUE(MatchesPattern("abcd", "a*[cd]"));
}

TEST(WildcardMatcher, ManyStarsOnALongNameStayFast) {
    // Thirty stars over a long name that almost matches: plain backtracking would never end.
    std::string pattern;
    for (int i = 0; i < 29; ++i)
        pattern += "*a";
    pattern += "*b";
    std::string name(3000, 'a');
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(MatchesPattern(name, pattern));
    EXPECT_TRUE(MatchesPattern(name + "b", pattern));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(WildcardMatcher, InvalidMasksNameThePatternAndThePosition) {
    EXPECT_EQ(MaskError("[abc"), Expected(5, "[abc"));         // never closed
    EXPECT_EQ(MaskError("x*[a-"), Expected(6, "x*[a-"));       // never closed after a "-"
    EXPECT_EQ(MaskError("[]"), Expected(2, "[]"));             // empty
    EXPECT_EQ(MaskError("a[!]"), Expected(4, "a[!]"));         // empty, negated
    EXPECT_EQ(MaskError("[-a]"), Expected(2, "[-a]"));         // "-" with nothing before it
    EXPECT_EQ(MaskError(Sj("[表]")), Expected(4, Sj("[表]"))); // only a double-byte character
    // Thirty elements after stars are allowed; the thirty-first is the fault.
    std::string thirty;
    for (int i = 0; i < 30; ++i)
        thirty += "*a";
    EXPECT_EQ(MaskError(thirty), "");
    EXPECT_EQ(MaskError(thirty + "*b"), Expected(62, thirty + "*b"));
    // A trailing star puts it on the end of the name, one past the pattern.
    EXPECT_EQ(MaskError(thirty + "*"), Expected(62, thirty + "*"));
    // Stars in a row and an absorbed question mark make one element.
    EXPECT_EQ(MaskError(thirty + "x**?"), Expected(65, thirty + "x**?"));
    EXPECT_THROW(MatchesPattern("", "[abc"), EMaskError);
}
