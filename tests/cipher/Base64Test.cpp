#include "cipher/Base64.h"

#include <gtest/gtest.h>

TEST(Base64Test, EncodesWithoutPaddingAndDecodesBack)
{
    struct Row
    {
        std::string Plain;
        std::string Encoded;
    };
    // RFC 4648 section 10, with the padding left off.
    const Row rows[] = {
        {"", ""},           {"f", "Zg"},          {"fo", "Zm8"},          {"foo", "Zm9v"},
        {"foob", "Zm9vYg"}, {"fooba", "Zm9vYmE"}, {"foobar", "Zm9vYmFy"}, {std::string("\xff\xfe\x00", 3), "//4A"}};
    for (const auto& row : rows) {
        EXPECT_EQ(Base64Encode(row.Plain), row.Encoded);
        EXPECT_EQ(Base64Decode(row.Encoded), row.Plain);
    }
}

TEST(Base64Test, DecodingSkipsForeignCharactersAndPadding)
{
    EXPECT_EQ(Base64Decode("Zm9v\r\nYmE="), "fooba");
    EXPECT_EQ(Base64Decode("Z m\t9-v*"), "foo");
    EXPECT_EQ(Base64Decode("===="), "");
    // A lone trailing character holds too few bits for a byte.
    EXPECT_EQ(Base64Decode("Zm9vY"), "foo");
}

TEST(Base64Test, EveryByteValueRoundTrips)
{
    std::string all;
    for (int n = 0; n < 256; ++n) {
        all += static_cast<char>(n);
    }
    const std::string encoded = Base64Encode(all);
    EXPECT_EQ(encoded.find('='), std::string::npos);
    EXPECT_EQ(Base64Decode(encoded), all);
}
