// The desktop's texts in the process's language, and messages with named fields.
#include "presenters/UiTexts.h"
#include "framework/Language.h"
#include "presenters/ResultStore.h"

#include <gtest/gtest.h>

namespace {

// Sets the process's language for one test and puts Japanese back after it.
class UiTexts : public ::testing::Test {
protected:
    void TearDown() override { SetCurrentLanguage(TLanguage::Japanese); }
};

constexpr uitext::TText Moved{"{from} から {to} へ", "from {from} to {to}"};

} // namespace

TEST_F(UiTexts, FollowTheProcessLanguage) {
    SetCurrentLanguage(TLanguage::Japanese);
    EXPECT_EQ(uitext::Text(uitext::Check), "チェック");
    SetCurrentLanguage(TLanguage::English);
    EXPECT_EQ(uitext::Text(uitext::Check), "Check");
    EXPECT_EQ(uitext::Format(Moved, {{"from", "a"}, {"to", "b"}}), "from a to b");
}

TEST_F(UiTexts, FillFieldsByName) {
    SetCurrentLanguage(TLanguage::Japanese);
    // Fields in any order; a value is never read for fields itself, so a command line with
    // braces or %F stays whole.
    EXPECT_EQ(uitext::Format(Moved, {{"to", "{from}"}, {"from", "%F {x}"}}),
              "%F {x} から {from} へ");
    // A field not given stays visible as written, and an unknown one is ignored.
    EXPECT_EQ(uitext::Format(Moved, {{"from", "a"}, {"other", "z"}}), "a から {to} へ");
    EXPECT_EQ(uitext::Format(uitext::NumberBetween, {{"min", "1"}, {"max", "999"}}),
              "1 から 999 までの数値を入力して下さい");
}

TEST_F(UiTexts, ResultWindowTitleCountsFindingsOnceChecked) {
    SetCurrentLanguage(TLanguage::Japanese);
    EXPECT_EQ(ResultWindowTitle(0, false), "結果");
    EXPECT_EQ(ResultWindowTitle(0, true), "結果 (0件)");
    EXPECT_EQ(ResultWindowTitle(999, false), "結果 (999件)");
    EXPECT_EQ(ResultWindowTitle(70000, true), "結果 (70,000件)");
    SetCurrentLanguage(TLanguage::English);
    EXPECT_EQ(ResultWindowTitle(1234567, true), "Results (1,234,567)");
}
