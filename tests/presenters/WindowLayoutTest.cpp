// The texts of the kept window places and column widths.
#include "presenters/WindowLayout.h"

#include <gtest/gtest.h>

TEST(WindowLayout, RectanglesAndWidthsReadBackWhatWasWrittenAndNothingElse) {
    const TLayoutRect rect{-10, 20, 300, 400};
    EXPECT_EQ(RectText(rect), "-10,20,300,400");
    EXPECT_EQ(RectFromText(RectText(rect)), rect);
    EXPECT_EQ(RectFromText(" 1, 2 ,3,4"), (TLayoutRect{1, 2, 3, 4}));
    for (const char* bad : {"", "1,2,3", "1,2,3,4,5", "1,2,0,4", "1,2,3,-4", "a,2,3,4", "1,,3,4"})
        EXPECT_FALSE(RectFromText(bad)) << bad;

    EXPECT_EQ(WidthsText({128, 115, 108}), "128,115,108");
    EXPECT_EQ(WidthsFromText("128,115,108", 3), (std::vector<int>{128, 115, 108}));
    EXPECT_EQ(WidthsFromText("128,x,-3", 3), (std::vector<int>{128, 0, 0}));
    EXPECT_FALSE(WidthsFromText("128,115", 3));
}
