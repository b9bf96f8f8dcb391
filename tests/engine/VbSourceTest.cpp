// The token lists and text storage of the source model.
#include "vbsource/VbSource.h"
#include "TestSupport.h"
#include "framework/Errors.h"

#include <gtest/gtest.h>

TEST(VbSource, OwningTokenListGrowsShrinksAndAnswersPositions) {
    TVbTokenList tokens(true);
    tokens.Reserve(8);
    std::string text = "abcdefghij";
    for (int i = 0; i < 1000; ++i) {
        tokens.BeginLine(i + 1);
        tokens.Add(TVbToken(2, 5, std::string_view(text).substr(i % 10, 1)));
    }
    tokens.ShrinkToFit();
    ASSERT_EQ(tokens.Count(), 1000);
    for (int i : {0, 7, 8, 999}) {
        EXPECT_EQ(tokens.IndexOf(tokens.Get(i)), i);
        EXPECT_EQ(tokens.LineOf(i), i + 1);
        EXPECT_EQ(tokens.Get(i)->Text(), std::string(1, text[static_cast<std::size_t>(i % 10)]));
    }
    EXPECT_THROW(tokens.Get(1000), EListError);
    EXPECT_THROW(tokens.Get(-1), EListError);
    EXPECT_THROW(tokens.LineOf(1000), EListError);
    tokens.Clear();
    EXPECT_EQ(tokens.Count(), 0);
    TVbToken outside(6, 6, "x");
    EXPECT_EQ(tokens.IndexOf(&outside), -1);
    tokens.Add(outside);
    EXPECT_EQ(tokens.IndexOf(tokens.Get(0)), 0);
    EXPECT_EQ(tokens.IndexOf(&outside), -1);
    EXPECT_EQ(tokens.LineOf(0), 0); // cleared lines: the token stands on line 0
}

TEST(VbSource, TheListAnswersTheLinesOfItsTokens) {
    // Lines 1, 4 and 9 hold tokens; 2, 3 and 5 to 8 none; a token list answers each token's
    // line, and each line's first token, by its index alone.
    TVbTokenList tokens(true);
    const std::vector<std::int32_t> lines = {1, 1, 4, 4, 4, 9};
    for (std::int32_t line : lines) {
        tokens.BeginLine(line);
        tokens.Add(TVbToken(scOther, tkSymbol, "+"));
    }
    TVbLineCursor cursor(tokens);
    for (int i = 0; i < tokens.Count(); ++i) {
        EXPECT_EQ(tokens.LineOf(i), lines[static_cast<std::size_t>(i)]);
        EXPECT_EQ(tokens.LineOf(tokens.Get(i)), lines[static_cast<std::size_t>(i)]);
        EXPECT_EQ(cursor.LineOf(i), lines[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(cursor.LineOf(0), 1); // back to the start: searched again
    const std::vector<int> firsts = {0, 0, 2, 2, 2, 5, 5, 5, 5, 5, 6, 6};
    for (std::int32_t line = 0; line < 12; ++line)
        EXPECT_EQ(tokens.FirstOnLine(line), firsts[static_cast<std::size_t>(line)]) << line;
    // Lines never go back; a body list keeps no lines.
    EXPECT_THROW(tokens.BeginLine(8), EAssertionFailed);
    TVbTokenList body(false);
    body.Add(tokens.Get(1));
    EXPECT_THROW(body.LineOf(0), EAssertionFailed);
    TVbToken outside(scOther, tkSymbol, "+");
    EXPECT_THROW(tokens.LineOf(&outside), EListError);
}

TEST(VbSource, BodyListAnswersPositionsAndKeepsTheTokens) {
    TVbTokenList tokens(true);
    for (int i = 0; i < 6; ++i)
        tokens.Add(TVbToken(4, 5, "t"));
    {
        TVbTokenList body(false);
        body.Add(tokens.Get(2));
        body.Add(tokens.Get(3));
        body.Add(tokens.Get(5)); // not consecutive: the list keeps one reference per token
        EXPECT_EQ(body.Count(), 3);
        EXPECT_EQ(body.Get(1), tokens.Get(3));
        EXPECT_EQ(body.Get(2), tokens.Get(5));
        EXPECT_EQ(body.IndexOf(tokens.Get(5)), 2);
        EXPECT_EQ(body.IndexOf(tokens.Get(4)), -1);
        EXPECT_EQ(tokens.IndexOf(tokens.Get(5)), 5);
        EXPECT_THROW(body.Add(TVbToken(4, 5, "u")), EAssertionFailed);
    }
    EXPECT_EQ(tokens.Count(), 6); // freeing the body list leaves the tokens
    EXPECT_THROW(tokens.Add(tokens.Get(0)), EAssertionFailed);
}

TEST(VbSource, ALongTokenTextIsKeptThroughAStoredView) {
    TVbSource source(nullptr);
    const std::string text(TVbToken::LongText + 10, 'x');
    EXPECT_THROW(TVbToken(6, 9, text), EAssertionFailed);
    TVbToken token(6, 9, source.StoreView(text));
    EXPECT_EQ(token.Text().size(), text.size());
    EXPECT_EQ(token.Text().data(), text.data());
    EXPECT_EQ(token.Kind, 9);
    EXPECT_EQ(token.Scope, 6);
}

TEST(VbSource, ATokenAnswersEveryFieldItWasMadeWith) {
    const std::string text(TVbToken::LongText - 1, 'y');
    for (std::uint8_t kind : {tkVersion, tkKeyword, tkComment})
        for (std::uint8_t scope : {scInitial, scHeader, scPrivate, scOther}) {
            TVbToken token(scope, kind, text);
            EXPECT_EQ(token.Scope, scope);
            EXPECT_EQ(token.Kind, kind);
            EXPECT_EQ(token.Text().data(), text.data());
            EXPECT_EQ(token.Text().size(), text.size());
            token.Scope = scPublic;
            EXPECT_EQ(token.Scope, scPublic);
            EXPECT_EQ(token.Kind, kind);
            EXPECT_EQ(token.Text().size(), text.size());
        }
}

TEST(VbSource, StoredTextsStayPutAsTheStoreGrows) {
    TVbSource source(nullptr);
    std::vector<std::string_view> stored;
    for (int i = 0; i < 2000; ++i)
        stored.push_back(source.StoreText("line " + std::to_string(i) + "[cr]"));
    std::string big(40000, 'x');
    std::string_view large = source.StoreText(big);
    for (int i : {0, 1, 999, 1999})
        EXPECT_EQ(stored[static_cast<std::size_t>(i)], "line " + std::to_string(i) + "[cr]");
    EXPECT_EQ(large, big);
    EXPECT_TRUE(source.StoreText("").empty());
}
