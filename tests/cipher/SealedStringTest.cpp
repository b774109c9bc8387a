#include "cipher/SealedString.h"
#include "cipher/Base64.h"
#include "cipher/CryptoError.h"

#include <gtest/gtest.h>

TEST(SealedStringTest, MatchesAnIndependentlyComputedSealAndRoundTripsWithAndWithoutCheck)
{
    // "secret" under key "key" with 3333 passes, computed by a separate implementation.
    EXPECT_EQ(SealString("secret", "key", true), "OfVgrCvcgCAjVbCN0zg");
    EXPECT_EQ(SealString("secret", "key", false), "OfVgrCvc");
    EXPECT_EQ(SealString("", "k", true), "");
    for (const std::string& plain : {std::string(), std::string("x"), std::string("\0\xff\x80 bytes", 9)}) {
        for (const bool check : {true, false}) {
            EXPECT_EQ(UnsealString(SealString(plain, "k", check), "k", check), plain) << check;
        }
    }
}

// The check identifies the key: the cipher's state after n bytes does not depend on the bytes,
// so a wrong key, a damaged check or a text too short to hold one is caught.
TEST(SealedStringTest, WrongKeyOrDamagedCheckRaisesACryptoError)
{
    const std::string sealed = SealString("password", "right", true);
    std::string bytes = Base64Decode(sealed);
    bytes.back() ^= 0x01;
    const std::pair<std::string, std::string> cases[] = {
        {sealed, "wrong"}, {Base64Encode(bytes), "right"}, {"QUJD", "right"}};
    for (const auto& [text, key] : cases) {
        EXPECT_THROW(UnsealString(text, key, true), ECryptoError) << text;
    }
}
