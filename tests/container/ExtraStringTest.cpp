#include "container/ExtraString.h"

#include <gtest/gtest.h>

namespace {

const std::string Sep(1, TExtraString::Separator);

// The pieces, each followed by the separator.
std::string Pieces(const std::vector<std::string>& pieces)
{
    std::string text;
    for (const auto& piece : pieces) {
        text += piece + Sep;
    }
    return text;
}

class TFixedProvider : public TExtraProvider
{
public:
    std::string LastUsedMailAddress() const override { return "me@example.org"; }
    std::array<std::int32_t, 4> VersionNumbers() const override { return {1, 2, 3, 45}; }
    std::string VersionText() const override { return "1.2.3"; }
};

} // namespace

TEST(ExtraStringTest, RecordsSerializeToSixteenFieldsAndParseOnlyPiecesEndedBySeparators)
{
    EXPECT_EQ(TExtraString(false).Serialize(),
              Pieces({"", "0", "", "", "", "", "", "", "", "", "0", "0", "0", "0", "", "0"}));
    TExtraString::SetProvider(nullptr);
    EXPECT_EQ(TExtraString(true).Field(TExtraString::SenderAddress), "") << "a new record without a provider";

    const TFixedProvider provider;
    TExtraString::SetProvider(&provider);
    TExtraString record(true);
    TExtraString::SetProvider(nullptr);
    EXPECT_EQ(record.Serialize(),
              Pieces({"8", "0", "", "", "", "me@example.org", "", "", "", "", "1", "2", "3", "45", "1.2.3", "0"}));
    record.SetField(3, "reserved \xC3\xA9");
    TExtraString copy;
    copy.Parse(record.Serialize());
    EXPECT_EQ(copy, record);

    TExtraString kept(false);
    kept.SetField(TExtraString::SenderAddress, "kept");
    kept.Parse("8" + Sep + "trailing text");
    kept.Parse("9");
    EXPECT_EQ(kept.Serialize(), Pieces({"8", "0", "", "", "", "kept", "", "", "", "", "0", "0", "0", "0", "", "0"}))
        << "a piece without its separator is no piece; fields the text does not reach are kept";

    // Reserved fields come back unchanged; more than sixteen pieces are ignored.
    std::vector<std::string> pieces;
    for (int index = 0; index < 18; ++index) {
        pieces.push_back((TExtraString::IsNumeric(index) || index >= 16 ? "" : "r") + std::to_string(index));
    }
    TExtraString full;
    full.Parse(Pieces(pieces));
    EXPECT_EQ(full.Number(TExtraString::Version4), 13);
    EXPECT_EQ(full.Serialize(), Pieces({pieces.begin(), pieces.begin() + 16}));

    // A piece that is no 32-bit number where a number stands ends the parse quietly.
    TExtraString stopped(false);
    stopped.Parse(Pieces({"9", "12", "a", "b", "", "addr", "", "", "", "", "x1", "2"}));
    EXPECT_EQ(stopped.Serialize(),
              Pieces({"9", "12", "a", "b", "", "addr", "", "", "", "", "0", "0", "0", "0", "", "0"}));
    stopped.Parse(Pieces({"8", "99999999999"}));
    EXPECT_EQ(stopped.Number(TExtraString::Flags), 12) << "a number beyond 32 bits is no number";
    stopped.Parse(Pieces({"8", "-7"}));
    EXPECT_EQ(stopped.Number(TExtraString::Flags), -7);
}

TEST(ExtraStringTest, RecordIsStoredAsWindows1252WhenItCanBeElseAsUtf8)
{
    // The L with stroke has no Windows-1252 byte.
    for (const auto& [address, stored] : std::vector<std::pair<std::string, std::string>>{
             {"Zo\xC3\xAB <zo\xC3\xAB@example.org>", "Zo\xEB <zo\xEB@example.org>"},
             {"\xC5\x81\xC3\xB3\x64\xC5\xBA", "\xC5\x81\xC3\xB3\x64\xC5\xBA"}}) {
        TExtraString record(false);
        record.SetField(TExtraString::SenderAddress, address);
        const std::string text = record.Serialize();
        EXPECT_NE(text.find(Sep + stored + Sep), std::string::npos) << address;
        TExtraString reread;
        reread.Parse(text);
        EXPECT_EQ(reread, record) << address;
    }
}
