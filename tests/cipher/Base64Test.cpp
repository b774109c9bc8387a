#include "cipher/Base64.h"

#include <gtest/gtest.h>

TEST(Base64Test, EncodesWithoutPaddingAndDecodesBackEveryByteValue)
{
    std::string all;
    for (int n = 0; n < 256; ++n) {
        all += static_cast<char>(n);
    }
    // RFC 4648 section 10, with the padding left off.
    const std::pair<std::string, std::string> rows[] = {
        {"", ""},           {"f", "Zg"},          {"fo", "Zm8"},          {"foo", "Zm9v"},
        {"foob", "Zm9vYg"}, {"fooba", "Zm9vYmE"}, {"foobar", "Zm9vYmFy"}, {std::string("\xff\xfe\x00", 3), "//4A"}};
    for (const auto& [plain, encoded] : rows) {
        EXPECT_EQ(Base64Encode(plain), encoded);
        EXPECT_EQ(Base64Decode(encoded), plain);
    }
    EXPECT_EQ(Base64Encode(all).find('='), std::string::npos);
    EXPECT_EQ(Base64Decode(Base64Encode(all)), all);
}

TEST(Base64Test, DecodingSkipsForeignCharactersPaddingAndALoneTrailingCharacter)
{
    const std::pair<std::string, std::string> rows[] = {
        {"Zm9v\r\nYmE=", "fooba"}, {"Z m\t9-v*", "foo"}, {"====", ""}, {"Zm9vY", "foo"}};
    for (const auto& [encoded, plain] : rows) {
        EXPECT_EQ(Base64Decode(encoded), plain) << encoded;
    }
}
