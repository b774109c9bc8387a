#include "Crypto.h"

#include "SecureZero.h"

#include <bit>
#include <cstring>

TCrypto::TCrypto(std::string_view key)
{
    ResetState();
    KeyPass(key);
}

TCrypto::~TCrypto()
{
    SecureZero(FState, sizeof FState);
}

void TCrypto::ResetState()
{
    for (std::uint32_t n = 0; n < 256; ++n) {
        FState[n] = n;
    }
    FI = 0;
    FJ = 0;
}

namespace {

// The value loaded ahead, or the swapped-in one when the swap hit the cell loaded ahead. A
// predicted branch, not a conditional move: it is taken once in 256 steps, and a conditional move
// would put the comparison on the chain from one j to the next. The empty assembly statement in
// the rare path keeps the optimiser from turning the branch into a conditional move.
inline std::uint32_t TakeAheadValue(std::uint32_t loadedAhead, std::uint32_t swappedIn, bool swapHitIt)
{
    if (__builtin_expect(swapHitIt, 0)) {
        asm volatile("" : "+r"(swappedIn));
        return swappedIn;
    }
    return loadedAhead;
}

// The RC4 generation step for one byte. ti holds S[i + 1] on entry (loaded ahead) and holds the
// new S[i + 1] on return; the result is the keystream byte.
inline std::uint32_t NextKeyByte(std::uint32_t* s, std::uint32_t& i, std::uint32_t& j, std::uint32_t& ti)
{
    i = (i + 1) & 0xFF;
    j = (j + ti) & 0xFF;
    const std::uint32_t tj = s[j];
    const std::uint32_t following = (i + 1) & 0xFF;
    std::uint32_t next = s[following];
    s[i] = tj;
    s[j] = ti;
    const std::uint32_t keyByte = s[(ti + tj) & 0xFF];
    ti = TakeAheadValue(next, ti, j == following);
    return keyByte;
}

} // namespace

void TCrypto::KeyPass(std::string_view key)
{
    KeyPasses(key, 1);
}

void TCrypto::KeyPasses(std::string_view key, std::uint32_t passes)
{
    // The key byte of step i is the same in every pass, because the key position restarts at
    // zero with each pass: lay it out once.
    std::uint32_t keyBytes[256];
    for (std::size_t i = 0; i < 256; ++i) {
        keyBytes[i] = key.empty() ? 0u : static_cast<std::uint8_t>(key[i % key.size()]);
    }

    std::uint32_t* s = FState;
    for (std::uint32_t pass = 0; pass < passes; ++pass) {
        std::uint32_t j = 0;
        std::uint32_t si = s[0];
        for (std::uint32_t i = 0; i < 256; ++i) {
            j = (j + (si + keyBytes[i])) & 0xFF;
            const std::uint32_t sj = s[j];
            // Load S[i + 1] before the swap's stores so the next step does not wait for them;
            // when the swap hits that very cell (j = i + 1), it now holds si.
            const std::uint32_t following = (i + 1) & 0xFF;
            const std::uint32_t next = s[following];
            s[i] = sj;
            s[j] = si;
            si = TakeAheadValue(next, si, j == following);
        }
    }
    SecureZero(keyBytes, sizeof keyBytes);
}

void TCrypto::Crypt(void* buffer, std::size_t count)
{
    CryptTo(buffer, buffer, count);
}

void TCrypto::CryptTo(const void* source, void* destination, std::size_t count)
{
    const auto* in = static_cast<const unsigned char*>(source);
    auto* out = static_cast<unsigned char*>(destination);
    std::uint32_t* s = FState;
    std::uint32_t i = FI;
    std::uint32_t j = FJ;
    std::uint32_t ti = s[(i + 1) & 0xFF];

    // Eight keystream bytes gathered into one word, XORed with eight input bytes at once.
    while (count >= 8) {
        std::uint64_t keyWord = 0;
        for (int b = 0; b < 8; ++b) {
            const int shift = std::endian::native == std::endian::little ? 8 * b : 56 - 8 * b;
            keyWord |= static_cast<std::uint64_t>(NextKeyByte(s, i, j, ti)) << shift;
        }
        std::uint64_t word;
        std::memcpy(&word, in, 8);
        word ^= keyWord;
        std::memcpy(out, &word, 8);
        in += 8;
        out += 8;
        count -= 8;
    }
    while (count > 0) {
        *out++ = static_cast<unsigned char>(*in++ ^ NextKeyByte(s, i, j, ti));
        --count;
    }
    FI = i;
    FJ = j;
}
