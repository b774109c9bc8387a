#include "cipher/Base64.h"

#include <gtest/gtest.h>

#include <numeric>

TEST(Base64Test, EncodesWithoutPaddingAndDecodesEveryByteValueSkippingForeignCharacters)
{
    std::string all(256, '\0');
    std::iota(all.begin(), all.end(), '\0');
    // RFC 4648 section 10, with the padding left off.
    const std::pair<std::string, std::string> rows[] = {
        {"", ""},           {"f", "Zg"},          {"fo", "Zm8"},          {"foo", "Zm9v"},
        {"foob", "Zm9vYg"}, {"fooba", "Zm9vYmE"}, {"foobar", "Zm9vYmFy"}, {std::string("\xff\xfe\x00", 3), "//4A"}};
    for (const auto& [plain, encoded] : rows) {
        EXPECT_EQ(Base64Encode(plain), encoded);
        EXPECT_EQ(Base64Decode(encoded), plain);
    }
    EXPECT_EQ(Base64Decode(Base64Encode(all)), all);

    // Decoding skips foreign characters, padding and a lone trailing character.
    const std::pair<std::string, std::string> foreign[] = {
        {"Zm9v\r\nYmE=", "fooba"}, {"Z m\t9-v*", "foo"}, {"====", ""}, {"Zm9vY", "foo"}};
    for (const auto& [encoded, plain] : foreign) {
        EXPECT_EQ(Base64Decode(encoded), plain) << encoded;
    }
}
