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

// The RC4 generation step for one byte. ti holds S[i + 1] on entry, loaded before the previous
// step's swap so that the next j does not wait for that swap's stores; on return it holds the new
// S[i + 1]. The swap hits the cell loaded ahead once in 256 steps: a predicted branch that
// reloads it then is cheaper than a conditional move, which would put the comparison on the
// chain from one j to the next. The result is the keystream byte.
inline std::uint32_t NextKeyByte(std::uint32_t* s, std::uint32_t& i, std::uint32_t& j, std::uint32_t& ti)
{
    i = (i + 1) & 0xFF;
    j = (j + ti) & 0xFF;
    const std::uint32_t tj = s[j];
    const std::uint32_t following = (i + 1) & 0xFF;
    const std::uint32_t next = s[following];
    s[i] = tj;
    s[j] = ti;
    const std::uint32_t keyByte = s[(ti + tj) & 0xFF];
    ti = next;
    if (j == following) [[unlikely]] {
        ti = s[following];
    }
    return keyByte;
}

// Where keystream byte n of eight goes in a word read from memory: byte n of the buffer.
constexpr int ByteShift(int n)
{
    return std::endian::native == std::endian::little ? 8 * n : 56 - 8 * n;
}

// Eight keystream bytes as one word, each put in place as it comes, so that no byte waits in a
// register of its own.
inline std::uint64_t NextKeyWord(std::uint32_t* s, std::uint32_t& i, std::uint32_t& j, std::uint32_t& ti)
{
    std::uint64_t word = std::uint64_t{NextKeyByte(s, i, j, ti)} << ByteShift(0);
    word |= std::uint64_t{NextKeyByte(s, i, j, ti)} << ByteShift(1);
    word |= std::uint64_t{NextKeyByte(s, i, j, ti)} << ByteShift(2);
    word |= std::uint64_t{NextKeyByte(s, i, j, ti)} << ByteShift(3);
    word |= std::uint64_t{NextKeyByte(s, i, j, ti)} << ByteShift(4);
    word |= std::uint64_t{NextKeyByte(s, i, j, ti)} << ByteShift(5);
    word |= std::uint64_t{NextKeyByte(s, i, j, ti)} << ByteShift(6);
    word |= std::uint64_t{NextKeyByte(s, i, j, ti)} << ByteShift(7);
    return word;
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
        // S[i] and S[i + 1] as they will be when step i runs; S[i + 2] is loaded two steps ahead,
        // before the swap's stores, so that no step waits for the stores of the one before.
        std::uint32_t si = s[0];
        std::uint32_t following = s[1];
        for (std::uint32_t i = 0; i < 256; ++i) {
            const std::uint32_t ahead = s[(i + 2) & 0xFF];
            j = (j + si + keyBytes[i]) & 0xFF;
            const std::uint32_t sj = s[j];
            s[i] = sj;
            s[j] = si;
            if (((j - i - 1) & 0xFF) < 2) [[unlikely]] {
                // The swap hit one of the two cells loaded ahead (once in 128 steps): reload both.
                si = s[(i + 1) & 0xFF];
                following = s[(i + 2) & 0xFF];
            } else {
                si = following;
                following = ahead;
            }
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

    // Eight keystream bytes XORed with eight input bytes at once; memcpy keeps the word access
    // free of alignment and aliasing assumptions.
    while (count >= 8) {
        std::uint64_t word;
        std::memcpy(&word, in, 8);
        word ^= NextKeyWord(s, i, j, ti);
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
