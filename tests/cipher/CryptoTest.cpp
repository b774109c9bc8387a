#include "ContainerFixture.h"
#include "cipher/BrassCrypto.h"
#include "cipher/ReplayCrypto.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <numeric>
#include <sstream>

namespace {

using TPermutation = std::array<std::uint8_t, 256>;

std::string FromHex(const std::string& hex)
{
    std::string bytes;
    for (std::size_t n = 0; n + 1 < hex.size(); n += 2) {
        bytes += static_cast<char>(std::stoi(hex.substr(n, 2), nullptr, 16));
    }
    return bytes;
}

// The RC4 key schedule as textbooks write it, run `passes` times over the identity permutation.
TPermutation ReferencePermutation(const std::string& key, int passes)
{
    TPermutation s{};
    std::iota(s.begin(), s.end(), 0);
    for (int pass = 0; pass < passes; ++pass) {
        std::uint8_t j = 0;
        for (int i = 0; i < 256; ++i) {
            j = static_cast<std::uint8_t>(j + s[i] + (key.empty() ? 0 : key[i % key.size()]));
            std::swap(s[i], s[j]);
        }
    }
    return s;
}

TPermutation PermutationOf(const TCrypto& cipher)
{
    TPermutation s{};
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

// The published RC4 keystream rows of RFC 6229: a line "key HEX" starts a key, each following
// line holds an offset and 16 bytes. Each key's stream also comes through CryptTo in uneven
// pieces (crossing the 8-byte fast path).
TEST(CryptoTest, ReproducesRfc6229KeystreamInOneCallAndInPiecesAndUsesOnlyTheFirst256KeyBytes)
{
    std::ifstream in(std::string(SEALVANE_TEST_DATA_DIR) + "/rc4_rfc6229.txt");
    std::string stream;
    int rows = 0;
    for (std::string line, first, second; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream(line) >> first >> second;
        if (first != "key") {
            EXPECT_EQ(stream.substr(std::stoul(first, nullptr, 16), 16), FromHex(second)) << line;
            ++rows;
            continue;
        }
        TCrypto whole(FromHex(second));
        TCrypto pieces(FromHex(second));
        stream = Keystream(whole, 4112);
        std::string zeros(4112, '\0');
        std::string out(4112, '\1');
        for (std::size_t done = 0, piece = 1; done < out.size(); done += piece, piece = piece * 3 % 37 + 1) {
            piece = std::min(piece, out.size() - done);
            pieces.CryptTo(zeros.data() + done, out.data() + done, piece);
        }
        EXPECT_EQ(out, stream) << line;
        EXPECT_EQ(zeros, std::string(4112, '\0')) << "CryptTo must leave its source alone";
    }
    EXPECT_EQ(rows, 72);
    const std::string longKey = PatternBytes(300);
    EXPECT_EQ(PermutationOf(TCrypto(longKey)), ReferencePermutation(longKey.substr(0, 256), 1)) << "only 256 key bytes";
}

// Two passes always, the given extra passes, and the key's variation plus one. The check is the
// set-up's, computed independently for the empty key, and stays when the keystream moves on.
TEST(BrassCryptoTest, SetUpRunsTwoPassesTheExtraOnesAndTheKeyVariationAndKeepsItsCheck)
{
    TBrassCrypto cipher("", 0);
    EXPECT_EQ(PermutationOf(cipher), ReferencePermutation("", 2));
    EXPECT_EQ(static_cast<std::uint64_t>(cipher.GetCheck()), 0xf7c2115bc5b19398ull);
    EXPECT_EQ(TBrassCrypto::KeyVariation("password"), 102u);
    // "password" with 5 passes: 5 + 102 + 2 passes in all.
    EXPECT_EQ(PermutationOf(TBrassCrypto("password", 5)), ReferencePermutation("password", 109));

    Keystream(cipher, 100);
    EXPECT_EQ(static_cast<std::uint64_t>(cipher.GetCheck()), 0xf7c2115bc5b19398ull);
    EXPECT_NE(cipher.ComputeCheck(), cipher.GetCheck()) << "the fold follows the permutation";
}

// A full set-up takes measurable time; a clone continues the keystream without one and is
// independent of its source.
TEST(BrassCryptoTest, CloneContinuesTheKeystreamAndIsIndependent)
{
    TBrassCrypto source("clone me");
    EXPECT_GE(source.SetupMilliseconds(), 1);
    Keystream(source, 13);
    const auto clone = source.Clone();
    EXPECT_EQ(clone->GetCheck(), source.GetCheck());
    EXPECT_LE(clone->SetupMilliseconds(), 5) << "a clone's set-up is its own short construction";

    const std::string fromClone = Keystream(*clone, 1000);
    const auto reference = source.Clone();
    EXPECT_EQ(Keystream(source, 1000), fromClone);
    Keystream(*clone, 500);
    EXPECT_EQ(Keystream(source, 64), Keystream(*reference, 1000 + 64).substr(1000));
}

// A cipher replaying a kept keystream gives what a clone of its start state gives, in calls of
// any size, across the end of what is kept, for every replay of one record, and from its own
// clones taken before and past that end.
TEST(BrassCryptoTest, ReplayGivesTheKeystreamOfItsStartState)
{
    const TBrassCrypto start("replay me", 3);
    for (const std::size_t limit : {0, 5, 100, 9000}) {
        const auto record = std::make_shared<TKeystreamRecord>(start, limit);
        for (int replay = 0; replay < 2; ++replay) {
            SCOPED_TRACE("kept " + std::to_string(limit) + ", replay " + std::to_string(replay));
            TReplayCrypto replaying(start, record);
            const auto reference = start.Clone();
            for (const std::size_t count : {1, 7, 64, 3, 200, 4096, 9000}) {
                const auto cloned = replaying.Clone();
                const std::string expected = Keystream(*reference, count);
                EXPECT_EQ(Keystream(replaying, count), expected) << count;
                EXPECT_EQ(Keystream(*cloned, count), expected) << "clone, " << count;
            }
        }
    }
}
