#include "cipher/SealedString.h"
#include "cipher/Base64.h"
#include "cipher/CryptoError.h"
#include "language/LangWatchable.h"

#include <gtest/gtest.h>

namespace {

// The error text of unsealing with a check, or "(no error)".
std::string UnsealError(const std::string& sealed, const std::string& key)
{
    try {
        UnsealString(sealed, key, true);
    } catch (const ECryptoError& error) {
        return error.what();
    }
    return "(no error)";
}

} // namespace

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

TEST(SealedStringTest, WrongKeyOrDamagedCheckRaisesInvalidDataHashInTheLanguageChosen)
{
    const std::string sealed = SealString("password", "right", true);
    EXPECT_EQ(UnsealError(sealed, "wrong"), "Invalid data hash!");
    LanguageHolder().SetLanguage(LangGerman);
    const std::string german = UnsealError(sealed, "wrong");
    LanguageHolder().SetLanguage(LangEnglish);
    EXPECT_NE(german, "Invalid data hash!");
    EXPECT_NE(german, "(no error)");

    // The check identifies the key: the cipher's state after n bytes does not depend on the
    // bytes, so a damaged check is caught, a damaged text only reads differently.
    std::string bytes = Base64Decode(sealed);
    bytes.back() ^= 0x01;
    EXPECT_NE(UnsealError(Base64Encode(bytes), "right"), "(no error)");
    bytes = Base64Decode(sealed);
    bytes.front() ^= 0x01;
    EXPECT_NE(UnsealString(Base64Encode(bytes), "right", true), "password");
    EXPECT_NE(UnsealError("QUJD", "right"), "(no error)") << "too short to hold a check";
}
