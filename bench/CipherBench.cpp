// Cipher speed where the user waits: key set-up for every container opened, the keystream for
// every byte stored, and the cipher file stream that carries both. Each benchmark has a
// "Reference" twin, RC4 as textbooks write it, and key set-up and keystream a "BestReference"
// twin too, the fastest portable loop we know, so that the ratios show in one run. Format 5's key
// derivation stands beside format 4's key set-up.
#include "cipher/BrassCrypto.h"
#include "cipher/CryptoFileStream.h"
#include "sealed/SealedKeys.h"

#include <benchmark/benchmark.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t KeystreamBytes = 64u << 20;
constexpr std::size_t StreamBytes = 256u << 20;
constexpr std::size_t StreamChunk = 64u << 10;
const std::string Password = "8bytePWD";

// Textbook RC4: `passes` key-schedule passes over the identity permutation (the stretched set-up
// with a pass count), then the keystream XORed over the buffer. Returns a fold of the permutation,
// so that the optimiser cannot drop a set-up whose keystream is not asked for.
unsigned ReferenceRc4(const std::string& key, unsigned passes, unsigned char* buffer, std::size_t count)
{
    unsigned char s[256];
    for (int n = 0; n < 256; ++n) {
        s[n] = static_cast<unsigned char>(n);
    }
    for (unsigned pass = 0; pass < passes; ++pass) {
        unsigned char j = 0;
        for (int i = 0; i < 256; ++i) {
            j = static_cast<unsigned char>(j + s[i] + static_cast<unsigned char>(key[i % key.size()]));
            const unsigned char t = s[i];
            s[i] = s[j];
            s[j] = t;
        }
    }
    unsigned char i = 0;
    unsigned char j = 0;
    for (std::size_t n = 0; n < count; ++n) {
        ++i;
        const unsigned char t = s[i];
        j = static_cast<unsigned char>(j + t);
        s[i] = s[j];
        s[j] = t;
        buffer[n] ^= s[static_cast<unsigned char>(t + s[i])];
    }
    unsigned fold = 0;
    for (int n = 0; n < 256; ++n) {
        fold = fold * 31 + s[n];
    }
    return fold;
}

// The fastest loops we know in plain portable C++, written apart from the cipher classes so that
// a change there cannot move the yardstick. Cells are 32 bits wide. Key set-up: the cells of the
// next two steps are loaded before the swap's stores, and a rarely taken branch reloads them
// when the swap hit one of them. Keystream: the next step's cell is loaded ahead the same way,
// eight steps per iteration, the eight keystream bytes XORed as one 64-bit word through memcpy.
struct TBestRc4
{
    std::uint32_t S[256];
    std::uint32_t I = 0;
    std::uint32_t J = 0;

    TBestRc4(const std::string& key, unsigned passes)
    {
        std::uint32_t keyBytes[256];
        for (std::uint32_t n = 0; n < 256; ++n) {
            S[n] = n;
            keyBytes[n] = static_cast<unsigned char>(key[n % key.size()]);
        }
        for (unsigned pass = 0; pass < passes; ++pass) {
            std::uint32_t j = 0;
            std::uint32_t current = S[0];
            std::uint32_t next = S[1];
            for (std::uint32_t i = 0; i < 256; ++i) {
                const std::uint32_t afterNext = S[(i + 2) & 0xFF];
                j = (j + current + keyBytes[i]) & 0xFF;
                const std::uint32_t other = S[j];
                S[i] = other;
                S[j] = current;
                if (((j - i - 1) & 0xFF) < 2) [[unlikely]] {
                    current = S[(i + 1) & 0xFF];
                    next = S[(i + 2) & 0xFF];
                } else {
                    current = next;
                    next = afterNext;
                }
            }
        }
    }

    static constexpr int Shift(int n) { return std::endian::native == std::endian::little ? 8 * n : 56 - 8 * n; }

    // Indices in locals: stores into S could otherwise alias I and J and keep them in memory.
    static std::uint64_t Step(std::uint32_t* s, std::uint32_t& i, std::uint32_t& j, std::uint32_t& ahead)
    {
        i = (i + 1) & 0xFF;
        j = (j + ahead) & 0xFF;
        const std::uint32_t other = s[j];
        const std::uint32_t following = (i + 1) & 0xFF;
        const std::uint32_t next = s[following];
        s[i] = other;
        s[j] = ahead;
        const std::uint32_t keyByte = s[(ahead + other) & 0xFF];
        ahead = next;
        if (j == following) [[unlikely]] {
            ahead = s[following];
        }
        return keyByte;
    }

    void Crypt(unsigned char* buffer, std::size_t count)
    {
        std::uint32_t* s = S;
        std::uint32_t i = I;
        std::uint32_t j = J;
        std::uint32_t ahead = s[(i + 1) & 0xFF];
        for (; count >= 8; count -= 8, buffer += 8) {
            // Written out, not a loop of eight: -O2 does not unroll it.
            std::uint64_t key = Step(s, i, j, ahead) << Shift(0);
            key |= Step(s, i, j, ahead) << Shift(1);
            key |= Step(s, i, j, ahead) << Shift(2);
            key |= Step(s, i, j, ahead) << Shift(3);
            key |= Step(s, i, j, ahead) << Shift(4);
            key |= Step(s, i, j, ahead) << Shift(5);
            key |= Step(s, i, j, ahead) << Shift(6);
            key |= Step(s, i, j, ahead) << Shift(7);
            std::uint64_t word;
            std::memcpy(&word, buffer, 8);
            word ^= key;
            std::memcpy(buffer, &word, 8);
        }
        for (; count > 0; --count, ++buffer) {
            *buffer = static_cast<unsigned char>(*buffer ^ Step(s, i, j, ahead));
        }
        I = i;
        J = j;
    }
};

unsigned StretchedPassCount(const std::string& key)
{
    return TBrassCrypto::DefaultPasses + TBrassCrypto::KeyVariation(key) + 2;
}

std::string ScratchFile()
{
    return (std::filesystem::temp_directory_path() / ("sealvane-bench-" + std::to_string(::getpid()))).string();
}

void BM_KeySetup(benchmark::State& state)
{
    for (auto _ : state) {
        TBrassCrypto cipher(Password);
        benchmark::DoNotOptimize(cipher.GetCheck());
    }
}
BENCHMARK(BM_KeySetup)->Unit(benchmark::kMillisecond);

// Format 5's keys at the count every new container gets: PBKDF2 over SHA-256, then HKDF.
void BM_SealedKeySetup(benchmark::State& state)
{
    const std::string salt(sealed::SaltSize, 'S');
    for (auto _ : state) {
        const sealed::TSealedKeys keys(Password, salt, sealed::DefaultIterations);
        benchmark::DoNotOptimize(keys.Check().data());
    }
}
BENCHMARK(BM_SealedKeySetup)->Unit(benchmark::kMillisecond);

void BM_KeySetupReference(benchmark::State& state)
{
    unsigned char none = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReferenceRc4(Password, StretchedPassCount(Password), &none, 0));
    }
}
BENCHMARK(BM_KeySetupReference)->Unit(benchmark::kMillisecond);

// The best loop's stretched set-up: the same passes as BM_KeySetup, without the check value.
void BM_KeySetupBestReference(benchmark::State& state)
{
    for (auto _ : state) {
        TBestRc4 cipher(Password, StretchedPassCount(Password));
        benchmark::DoNotOptimize(cipher.S);
    }
}
BENCHMARK(BM_KeySetupBestReference)->Unit(benchmark::kMillisecond);

void BM_Keystream(benchmark::State& state)
{
    std::vector<unsigned char> buffer(KeystreamBytes, 0x5A);
    TBrassCrypto cipher(Password, 0);
    for (auto _ : state) {
        cipher.Crypt(buffer.data(), buffer.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * buffer.size()));
}
BENCHMARK(BM_Keystream)->Unit(benchmark::kMillisecond);

void BM_KeystreamReference(benchmark::State& state)
{
    std::vector<unsigned char> buffer(KeystreamBytes, 0x5A);
    for (auto _ : state) {
        ReferenceRc4(Password, 1, buffer.data(), buffer.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * buffer.size()));
}
BENCHMARK(BM_KeystreamReference)->Unit(benchmark::kMillisecond);

void BM_KeystreamBestReference(benchmark::State& state)
{
    std::vector<unsigned char> buffer(KeystreamBytes, 0x5A);
    TBestRc4 cipher(Password, 1);
    for (auto _ : state) {
        cipher.Crypt(buffer.data(), buffer.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * buffer.size()));
}
BENCHMARK(BM_KeystreamBestReference)->Unit(benchmark::kMillisecond);

// 256 MiB written through the cipher stream in 64 KiB writes, then read back the same way.
// Bytes processed count both directions: every byte passes the cipher twice.
void BM_CryptoStreamWriteRead(benchmark::State& state)
{
    const std::string file = ScratchFile();
    std::vector<char> chunk(StreamChunk, 0x5A);
    for (auto _ : state) {
        std::unique_ptr<TBrassCrypto> cipher = std::make_unique<TBrassCrypto>(Password, 0);
        // A stream creates only new files; the removal stands for the emptying of the file.
        std::remove(file.c_str());
        {
            TCryptoFileStream out(cipher, file, TFileMode::Create);
            for (std::size_t done = 0; done < StreamBytes; done += chunk.size()) {
                out.WriteBuffer(chunk.data(), static_cast<std::int64_t>(chunk.size()));
            }
        }
        cipher = std::make_unique<TBrassCrypto>(Password, 0);
        TCryptoFileStream in(cipher, file, TFileMode::OpenRead);
        for (std::size_t done = 0; done < StreamBytes; done += chunk.size()) {
            in.ReadBuffer(chunk.data(), static_cast<std::int64_t>(chunk.size()));
        }
        benchmark::DoNotOptimize(chunk.data());
    }
    std::remove(file.c_str());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * 2 * StreamBytes));
}
BENCHMARK(BM_CryptoStreamWriteRead)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CryptoStreamWriteReadReference(benchmark::State& state)
{
    const std::string file = ScratchFile();
    std::vector<unsigned char> chunk(StreamChunk, 0x5A);
    for (auto _ : state) {
        FILE* out = std::fopen(file.c_str(), "wb");
        for (std::size_t done = 0; done < StreamBytes; done += chunk.size()) {
            ReferenceRc4(Password, 1, chunk.data(), chunk.size());
            std::fwrite(chunk.data(), 1, chunk.size(), out);
        }
        std::fclose(out);
        FILE* in = std::fopen(file.c_str(), "rb");
        for (std::size_t done = 0; done < StreamBytes; done += chunk.size()) {
            if (std::fread(chunk.data(), 1, chunk.size(), in) != chunk.size()) {
                state.SkipWithError("short read");
                break;
            }
            ReferenceRc4(Password, 1, chunk.data(), chunk.size());
        }
        std::fclose(in);
        benchmark::DoNotOptimize(chunk.data());
    }
    std::remove(file.c_str());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * 2 * StreamBytes));
}
BENCHMARK(BM_CryptoStreamWriteReadReference)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
