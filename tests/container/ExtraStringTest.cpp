#include "container/ExtraString.h"

#include <gtest/gtest.h>

namespace {

const std::string Sep(1, TExtraString::Separator);

class TFixedProvider : public TExtraProvider
{
public:
    std::string LastUsedMailAddress() const override { return "me@example.org"; }
    std::array<std::int32_t, 4> VersionNumbers() const override { return {1, 2, 3, 45}; }
    std::string VersionText() const override { return "1.2.3"; }
};

} // namespace

TEST(ExtraStringTest, EmptyRecordSerializesToSixteenSeparatorsWithZeroNumbers)
{
    const std::string text = TExtraString(false).Serialize();
    std::string expected;
    for (int index = 0; index < 16; ++index) {
        expected += (index == 1 || (index >= 10 && index <= 13) || index == 15 ? "0" : "") + Sep;
    }
    EXPECT_EQ(text, expected);
}

TEST(ExtraStringTest, FilledRecordTakesFormatAddressAndVersionFromTheProvider)
{
    TExtraString::SetProvider(nullptr);
    EXPECT_EQ(TExtraString(true).Field(TExtraString::RecordFormat), "8");
    EXPECT_EQ(TExtraString(true).Field(TExtraString::SenderAddress), "");

    const TFixedProvider provider;
    TExtraString::SetProvider(&provider);
    const TExtraString record(true);
    TExtraString::SetProvider(nullptr);
    EXPECT_EQ(record.Serialize(), "8" + Sep + "0" + Sep + Sep + Sep + Sep + "me@example.org" + Sep + Sep + Sep + Sep +
                                      Sep + "1" + Sep + "2" + Sep + "3" + Sep + "45" + Sep + "1.2.3" + Sep + "0" + Sep);
}

TEST(ExtraStringTest, ParseTakesOnlyPiecesEndedBySeparatorsAndKeepsTheRest)
{
    TExtraString record;
    record.SetField(TExtraString::SenderAddress, "kept");
    record.Parse("8");
    EXPECT_EQ(record.Field(TExtraString::RecordFormat), "") << "no separator: nothing is set";
    record.Parse("8" + Sep + "trailing text");
    EXPECT_EQ(record.Field(TExtraString::RecordFormat), "8");
    EXPECT_EQ(record.Field(TExtraString::SenderAddress), "kept");

    // Reserved fields come back unchanged; more than sixteen pieces are ignored.
    std::string text;
    for (int index = 0; index < 18; ++index) {
        text +=
            (TExtraString::IsNumeric(index) || index >= 16 ? std::to_string(index) : "r" + std::to_string(index)) + Sep;
    }
    TExtraString full;
    full.Parse(text);
    EXPECT_EQ(full.Field(2), "r2");
    EXPECT_EQ(full.Number(TExtraString::Version4), 13);
    EXPECT_EQ(full.Serialize(), text.substr(0, text.find("16" + Sep)));
}

TEST(ExtraStringTest, NonNumericPieceEndsTheParseQuietly)
{
    TExtraString record;
    record.Parse("9" + Sep + "12" + Sep + "a" + Sep + "b" + Sep + Sep + "addr" + Sep + Sep + Sep + Sep + Sep + "x1" +
                 Sep + "2" + Sep);
    EXPECT_EQ(record.Field(TExtraString::RecordFormat), "9");
    EXPECT_EQ(record.Number(TExtraString::Flags), 12);
    EXPECT_EQ(record.Field(TExtraString::SenderAddress), "addr");
    EXPECT_EQ(record.Number(TExtraString::Version1), 0) << "the parse stopped at the bad number";
    EXPECT_EQ(record.Number(TExtraString::Version2), 0);

    TExtraString overflow;
    overflow.Parse("8" + Sep + "99999999999" + Sep);
    EXPECT_EQ(overflow.Number(TExtraString::Flags), 0) << "a number beyond 32 bits is no number";
    overflow.Parse("8" + Sep + "-7" + Sep);
    EXPECT_EQ(overflow.Number(TExtraString::Flags), -7);
}

TEST(ExtraStringTest, ParseOfSerializeGivesTheSameRecord)
{
    const TFixedProvider provider;
    TExtraString::SetProvider(&provider);
    TExtraString record(true);
    TExtraString::SetProvider(nullptr);
    record.SetField(3, "reserved \xC3\xA9");
    TExtraString copy;
    copy.Parse(record.Serialize());
    EXPECT_EQ(copy, record);
}

TEST(ExtraStringTest, SeparatedListsSplitAndJoin)
{
    EXPECT_EQ(SplitSeparated("a" + Sep + Sep + "c" + Sep + "dropped"), (std::vector<std::string>{"a", "", "c"}));
    EXPECT_TRUE(SplitSeparated("").empty());
    EXPECT_EQ(JoinSeparated({"Arial", "10"}), "Arial" + Sep + "10" + Sep);
    EXPECT_EQ(SplitSeparated(JoinSeparated({"x", "", "z"})), (std::vector<std::string>{"x", "", "z"}));
}

TEST(ExtraStringTest, RecordIsStoredAsWindows1252WhenItCanBeElseAsUtf8)
{
    const struct
    {
        std::string Address;
        std::string Stored;
    } rows[] = {
        {"Zo\xC3\xAB <zo\xC3\xAB@example.org>", "Zo\xEB <zo\xEB@example.org>"},
        {"\xC5\x81\xC3\xB3\x64\xC5\xBA", "\xC5\x81\xC3\xB3\x64\xC5\xBA"}, // the L with stroke has no Windows-1252 byte
    };
    for (const auto& row : rows) {
        TExtraString record(false);
        record.SetField(TExtraString::SenderAddress, row.Address);
        const std::string stored = record.Serialize();
        EXPECT_NE(stored.find(Sep + row.Stored + Sep), std::string::npos) << row.Address;
        TExtraString reread;
        reread.Parse(stored);
        EXPECT_EQ(reread, record) << row.Address;
    }
}
