#include "richtext/StringTable.h"

#include <gtest/gtest.h>

#include <stdexcept>

// Enough values for the hash index to grow several times; each added twice.
TEST(StringTable, NumbersEachDistinctValueOnceInTheOrderOfAddition)
{
    TStringTable table;
    for (int round = 0; round < 2; ++round) {
        for (TStringTable::TIndex n = 0; n < 1000; ++n) {
            EXPECT_EQ(table.Add(std::to_string(n)), n);
        }
    }
    EXPECT_EQ(table.Size(), 1000u);
    EXPECT_EQ(table.Find("999"), 999u);
    EXPECT_EQ(table.At(999), "999");
    EXPECT_FALSE(table.Find("1000"));
    EXPECT_THROW(table.At(1000), std::out_of_range);
}
