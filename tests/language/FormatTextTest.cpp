#include "language/FormatText.h"

#include <gtest/gtest.h>

TEST(FormatTextTest, FillsPlaceholdersInOrderAndByIndexAndLeavesTheRest)
{
    EXPECT_EQ(FormatText("File index '%d' out of bounds!", {std::int64_t{-7}}), "File index '-7' out of bounds!");
    EXPECT_EQ(FormatText("%1:s %0:s %s", {std::string("x"), std::string("y")}), "y x y");
    EXPECT_EQ(FormatText("100%% %d", {std::int64_t{3}}), "100% 3");
    // What cannot be filled is left as it stands.
    EXPECT_EQ(FormatText("'%s' and '%s'", {std::string("one")}), "'one' and '%s'");
    EXPECT_EQ(FormatText("%x %5:s %", {std::string("a")}), "%x %5:s %");
    EXPECT_EQ(FormatText("%99999999999999999999:s", {std::string("a")}), "%99999999999999999999:s");
    EXPECT_EQ(FormatText("%s", {std::string("%s%d")}), "%s%d") << "arguments are not formatted again";
}
