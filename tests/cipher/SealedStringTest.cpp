#include "cipher/SealedString.h"
#include "cipher/Base64.h"
#include "cipher/CryptoError.h"
#include "language/LangWatchable.h"

#include <gtest/gtest.h>

TEST(SealedStringTest, MatchesAnIndependentlyComputedSeal)
{
    // "secret" under key "key" with 3333 passes, computed by a separate implementation.
    EXPECT_EQ(SealString("secret", "key", true), "OfVgrCvcgCAjVbCN0zg");
    EXPECT_EQ(SealString("secret", "key", false), "OfVgrCvc");
    EXPECT_EQ(UnsealString("OfVgrCvcgCAjVbCN0zg", "key", true), "secret");
}

TEST(SealedStringTest, RoundTripsWithAndWithoutCheck)
{
    for (const std::string& plain :
         {std::string("x"), std::string("MapiLogonPWD"), std::string("\0\xff\x80 bytes", 9)}) {
        EXPECT_EQ(UnsealString(SealString(plain, "k", true), "k", true), plain);
        EXPECT_EQ(UnsealString(SealString(plain, "k", false), "k", false), plain);
    }
    EXPECT_EQ(SealString("", "k", true), "");
    EXPECT_EQ(UnsealString("", "k", true), "");
}

TEST(SealedStringTest, WrongKeyOrDamageRaisesInvalidDataHash)
{
    const std::string sealed = SealString("password", "right", true);
    try {
        UnsealString(sealed, "wrong", true);
        FAIL() << "the wrong key went unnoticed";
    } catch (const ECryptoError& error) {
        EXPECT_STREQ(error.what(), "Invalid data hash!");
    }
    // The check identifies the key: the cipher's state after n bytes does not depend on the
    // bytes, so a damaged check is caught, a damaged text only reads differently.
    std::string bytes = Base64Decode(sealed);
    bytes.back() ^= 0x01;
    EXPECT_THROW(UnsealString(Base64Encode(bytes), "right", true), ECryptoError);
    bytes = Base64Decode(sealed);
    bytes.front() ^= 0x01;
    EXPECT_NE(UnsealString(Base64Encode(bytes), "right", true), "password");
    // Too short to hold a check at all.
    EXPECT_THROW(UnsealString("QUJD", "right", true), ECryptoError);
}

TEST(SealedStringTest, ErrorTextFollowsTheLanguage)
{
    LanguageHolder().SetLanguage(LangGerman);
    try {
        UnsealString(SealString("a", "b", true), "c", true);
        ADD_FAILURE() << "the wrong key went unnoticed";
    } catch (const ECryptoError& error) {
        EXPECT_STRNE(error.what(), "Invalid data hash!");
    }
    LanguageHolder().SetLanguage(LangEnglish);
}
