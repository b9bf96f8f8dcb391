// The token lists and text storage of the source model.
#include "vbsource/VbSource.h"
#include "TestSupport.h"
#include "framework/Errors.h"

#include <gtest/gtest.h>

TEST(VbSource, OwningTokenListGrowsShrinksAndAnswersPositions) {
    TVbTokenList tokens(true);
    tokens.Reserve(8);
    std::string text = "abcdefghij";
    for (int i = 0; i < 1000; ++i)
        tokens.Add(TVbToken(2, 5, std::string_view(text).substr(i % 10, 1), i + 1));
    tokens.ShrinkToFit();
    ASSERT_EQ(tokens.Count(), 1000);
    for (int i : {0, 7, 8, 999}) {
        EXPECT_EQ(tokens.IndexOf(tokens.Get(i)), i);
        EXPECT_EQ(tokens.Get(i)->Line, i + 1);
        EXPECT_EQ(tokens.Get(i)->Text(), std::string(1, text[static_cast<std::size_t>(i % 10)]));
    }
    EXPECT_THROW(tokens.Get(1000), EListError);
    EXPECT_THROW(tokens.Get(-1), EListError);
    tokens.Clear();
    EXPECT_EQ(tokens.Count(), 0);
    TVbToken outside(6, 6, "x", 1);
    EXPECT_EQ(tokens.IndexOf(&outside), -1);
    tokens.Add(outside);
    EXPECT_EQ(tokens.IndexOf(tokens.Get(0)), 0);
    EXPECT_EQ(tokens.IndexOf(&outside), -1);
}

TEST(VbSource, BodyListAnswersPositionsAndKeepsTheTokens) {
    TVbTokenList tokens(true);
    for (int i = 0; i < 6; ++i)
        tokens.Add(TVbToken(4, 5, "t", 1));
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
        EXPECT_THROW(body.Add(TVbToken(4, 5, "u", 1)), EAssertionFailed);
    }
    EXPECT_EQ(tokens.Count(), 6); // freeing the body list leaves the tokens
    EXPECT_THROW(tokens.Add(tokens.Get(0)), EAssertionFailed);
}

TEST(VbSource, ALongTokenTextIsKeptThroughAStoredView) {
    TVbSource source(nullptr);
    const std::string text(TVbToken::LongText + 10, 'x');
    EXPECT_THROW(TVbToken(6, 9, text, 1), EAssertionFailed);
    TVbToken token(6, 9, source.StoreView(text), 4);
    EXPECT_EQ(token.Text().size(), text.size());
    EXPECT_EQ(token.Text().data(), text.data());
    EXPECT_EQ(token.Line, 4);
}

TEST(VbSource, ATokenAnswersEveryFieldItWasMadeWith) {
    const std::string text(TVbToken::LongText - 1, 'y');
    for (std::int32_t line : {0, 1, 70000, TVbToken::LineLimit - 1}) {
        TVbToken token(scOther, tkComment, text, line);
        EXPECT_EQ(token.Scope, scOther);
        EXPECT_EQ(token.Kind, tkComment);
        EXPECT_EQ(token.Line, line);
        EXPECT_EQ(token.Text().data(), text.data());
        EXPECT_EQ(token.Text().size(), text.size());
        token.Scope = scPublic; // the tokenizer's scope machine may change it afterwards
        EXPECT_EQ(token.Scope, scPublic);
        EXPECT_EQ(token.Kind, tkComment);
        EXPECT_EQ(token.Line, line);
    }
    // A line number the token cannot hold is refused, not cut.
    EXPECT_THROW(TVbToken(scOther, tkComment, "x", TVbToken::LineLimit), EAssertionFailed);
    EXPECT_THROW(TVbToken(scOther, tkComment, "x", -1), EAssertionFailed);
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
