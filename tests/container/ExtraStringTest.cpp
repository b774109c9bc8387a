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
    // Stored in Windows-1252 where the text allows it (the coding itself is the text coding's test).
    record.SetField(3, "reserved \xC3\xA9");
    EXPECT_NE(record.Serialize().find(Sep + "reserved \xE9" + Sep), std::string::npos);
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
}
