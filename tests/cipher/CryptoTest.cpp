#include "cipher/BrassCrypto.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string FromHex(const std::string& hex)
{
    std::string bytes;
    for (std::size_t n = 0; n + 1 < hex.size(); n += 2) {
        bytes += static_cast<char>(std::stoi(hex.substr(n, 2), nullptr, 16));
    }
    return bytes;
}

struct KeystreamRow
{
    std::string Key;
    std::size_t Offset;
    std::string Expected;
};

// The published RC4 keystream rows of RFC 6229 (tests/data/rc4_rfc6229.txt).
std::vector<KeystreamRow> LoadRfc6229Rows()
{
    std::ifstream in(std::string(SEALVANE_TEST_DATA_DIR) + "/rc4_rfc6229.txt");
    std::vector<KeystreamRow> rows;
    std::string line;
    std::string key;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        std::string first;
        std::string second;
        fields >> first >> second;
        if (first == "key") {
            key = FromHex(second);
        } else {
            rows.push_back({key, std::stoul(first, nullptr, 16), FromHex(second)});
        }
    }
    return rows;
}

// The RC4 key schedule as textbooks write it, run `passes` times over the identity permutation.
std::array<std::uint8_t, 256> ReferencePermutation(const std::string& key, int passes)
{
    std::array<std::uint8_t, 256> s{};
    for (int n = 0; n < 256; ++n) {
        s[n] = static_cast<std::uint8_t>(n);
    }
    for (int pass = 0; pass < passes; ++pass) {
        std::uint8_t j = 0;
        for (int i = 0; i < 256; ++i) {
            const std::uint8_t k = key.empty() ? 0 : static_cast<std::uint8_t>(key[i % key.size()]);
            j = static_cast<std::uint8_t>(j + s[i] + k);
            std::swap(s[i], s[j]);
        }
    }
    return s;
}

std::array<std::uint8_t, 256> PermutationOf(const TCrypto& cipher)
{
    std::array<std::uint8_t, 256> s{};
    for (int n = 0; n < 256; ++n) {
        s[n] = cipher.StateByte(n);
    }
    return s;
}

std::string Keystream(TCrypto& cipher, std::size_t count)
{
    std::string bytes(count, '\0');
    cipher.Crypt(bytes.data(), bytes.size());
    return bytes;
}

} // namespace

TEST(CryptoTest, ReproducesRfc6229KeystreamInOneCallAndInPieces)
{
    const auto rows = LoadRfc6229Rows();
    ASSERT_EQ(rows.size(), 72u);
    for (const auto& row : rows) {
        TCrypto whole(row.Key);
        const std::string stream = Keystream(whole, 4112);
        EXPECT_EQ(stream.substr(row.Offset, 16), row.Expected) << "offset " << row.Offset;

        // The same keystream through CryptTo in uneven pieces (crossing the 8-byte fast path).
        TCrypto pieces(row.Key);
        std::string zeros(4112, '\0');
        std::string out(4112, '\1');
        std::size_t done = 0;
        for (std::size_t piece = 1; done < zeros.size(); piece = piece * 3 % 37 + 1) {
            const std::size_t n = std::min(piece, zeros.size() - done);
            pieces.CryptTo(zeros.data() + done, out.data() + done, n);
            done += n;
        }
        EXPECT_EQ(out, stream);
        EXPECT_EQ(zeros, std::string(4112, '\0')) << "CryptTo must leave its source alone";
    }
}

TEST(CryptoTest, LongKeysUseOnlyTheirFirst256Bytes)
{
    std::string key(300, '\0');
    for (std::size_t n = 0; n < key.size(); ++n) {
        key[n] = static_cast<char>(n * 7 + 1);
    }
    TCrypto longKey(key);
    TCrypto cutKey(key.substr(0, 256));
    EXPECT_EQ(Keystream(longKey, 64), Keystream(cutKey, 64));
    EXPECT_EQ(PermutationOf(TCrypto(key)), ReferencePermutation(key.substr(0, 256), 1));
}

TEST(BrassCryptoTest, EmptyKeyWithoutExtraPassesRunsExactlyTwoPasses)
{
    TBrassCrypto cipher("", 0);
    const auto twoPasses = ReferencePermutation("", 2);
    EXPECT_EQ(PermutationOf(cipher), twoPasses);
    EXPECT_NE(PermutationOf(cipher), ReferencePermutation("", 1));
    EXPECT_NE(PermutationOf(cipher), ReferencePermutation("", 3));
    // Computed independently of this code base for two all-zero key passes.
    const std::array<std::uint8_t, 16> head = {222, 198, 45, 37, 140, 192, 171, 237, 99, 8, 144, 103, 208, 196, 96, 9};
    EXPECT_TRUE(std::equal(head.begin(), head.end(), twoPasses.begin()));
    EXPECT_EQ(static_cast<std::uint64_t>(cipher.GetCheck()), 0xf7c2115bc5b19398ull);
}

TEST(BrassCryptoTest, KeyVariationAddsItsPasses)
{
    EXPECT_EQ(TBrassCrypto::KeyVariation(""), 0u);
    EXPECT_EQ(TBrassCrypto::KeyVariation("password"), 102u);
    EXPECT_EQ(TBrassCrypto::KeyVariation("key"), 101u);
    // "password" with 5 passes: 5 + 102 + 2 passes in all.
    EXPECT_EQ(PermutationOf(TBrassCrypto("password", 5)), ReferencePermutation("password", 109));
}

TEST(BrassCryptoTest, CheckDependsOnTheKeyOnlyAndFoldsThePermutation)
{
    TBrassCrypto a("secret", 10);
    TBrassCrypto b("secret", 10);
    TBrassCrypto other("secreu", 10);
    EXPECT_EQ(a.GetCheck(), b.GetCheck());
    EXPECT_NE(a.GetCheck(), other.GetCheck());
    EXPECT_EQ(a.GetCheck(), a.ComputeCheck());

    Keystream(a, 100);
    EXPECT_EQ(a.GetCheck(), b.GetCheck()) << "the stored check stays as set up";
    EXPECT_NE(a.ComputeCheck(), a.GetCheck()) << "the fold follows the permutation";

    // The fold by hand: blocks of 8 permutation bytes, big-endian, XORed.
    std::uint64_t fold = 0;
    for (int block = 0; block < 32; ++block) {
        std::uint64_t value = 0;
        for (int n = 0; n < 8; ++n) {
            value = value << 8 | a.StateByte(block * 8 + n);
        }
        fold ^= value;
    }
    EXPECT_EQ(static_cast<std::uint64_t>(a.ComputeCheck()), fold);
}

TEST(BrassCryptoTest, SameKeyTwiceRestoresTheTextButOneObjectDoesNot)
{
    const std::string plain = "Attachments in encrypted container";
    std::string buffer = plain;
    TBrassCrypto encipher("pw", 100);
    encipher.Crypt(buffer.data(), buffer.size());
    EXPECT_NE(buffer, plain);

    std::string again = buffer;
    encipher.Crypt(again.data(), again.size());
    EXPECT_NE(again, plain) << "the keystream has moved on";

    TBrassCrypto decipher("pw", 100);
    decipher.Crypt(buffer.data(), buffer.size());
    EXPECT_EQ(buffer, plain);
}

TEST(BrassCryptoTest, CloneContinuesTheKeystreamAndIsIndependent)
{
    TBrassCrypto source("clone me", 50);
    Keystream(source, 13);
    const auto clone = source.Clone();
    EXPECT_EQ(clone->GetCheck(), source.GetCheck());

    const std::string fromClone = Keystream(*clone, 1000);
    const auto reference = source.Clone();
    EXPECT_EQ(Keystream(source, 1000), fromClone);

    // Advancing the clone leaves the source where it was.
    Keystream(*clone, 500);
    EXPECT_EQ(Keystream(source, 64), Keystream(*reference, 1000 + 64).substr(1000));
    EXPECT_LE(clone->SetupMilliseconds(), 5) << "a clone's set-up is its own short construction";
}

TEST(BrassCryptoTest, SetupTimeIsMeasured)
{
    TBrassCrypto cipher("measured");
    EXPECT_GE(cipher.SetupMilliseconds(), 1);
    EXPECT_LT(cipher.SetupMilliseconds(), 60000);
}
