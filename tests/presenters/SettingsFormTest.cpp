// A rule's settings form: the working copy, OK, Undo, and the refusal of values a field cannot
// hold.
#include "presenters/SettingsForm.h"
#include "checkers/VbLimitLengthOfLine.h"

#include <gtest/gtest.h>

TEST(SettingsForm, OkCommitsTheWorkingCopyAndUndoTakesTheRuleAgain) {
    TVbLimitLengthOfLine rule;
    TSettingsForm form(rule);
    EXPECT_EQ(form.Caption(), "一行の長さ制限");
    ASSERT_EQ(form.Fields().size(), 1u);
    EXPECT_EQ(std::get<std::int32_t>(form.Fields()[0].Value), 80);
    EXPECT_EQ(form.Fields()[0].Field.Min, 1);

    form.SetValues({std::int32_t{120}});
    EXPECT_EQ(rule.MaxLength, 80); // only OK stores
    form.Ok();
    EXPECT_EQ(rule.MaxLength, 120);
    form.SetValues({std::int32_t{90}});
    form.Undo();
    EXPECT_EQ(std::get<std::int32_t>(form.Fields()[0].Value), 120);
    EXPECT_EQ(rule.MaxLength, 120);
}

TEST(SettingsForm, AnIntegerIsANumberWithinTheFieldsLimits) {
    std::string refusal;
    const TSettingField atLeastOne{"MaxLength", "上限", 1};
    EXPECT_EQ(TSettingsForm::IntegerFromText(atLeastOne, "+5", refusal), 5);
    for (const char* bad : {"", "abc", "1x", " 9"}) {
        EXPECT_FALSE(TSettingsForm::IntegerFromText(atLeastOne, bad, refusal)) << bad;
        EXPECT_EQ(refusal, "数値を入力して下さい");
    }
    EXPECT_FALSE(TSettingsForm::IntegerFromText(atLeastOne, "-1", refusal));
    EXPECT_EQ(refusal, "1 以上の数値を入力して下さい");
    const TSettingField percent{"Share", "割合", 0, 100};
    EXPECT_FALSE(TSettingsForm::IntegerFromText(percent, "101", refusal));
    EXPECT_EQ(refusal, "0 から 100 までの数値を入力して下さい");
}
