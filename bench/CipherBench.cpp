// Cipher speed where the user waits: key set-up for every container opened, the keystream for
// every byte stored, and the cipher file stream that carries both. Each benchmark has a
// "Reference" twin: RC4 as textbooks write it, so that the ratio shows in one run.
#include "cipher/BrassCrypto.h"
#include "cipher/CryptoFileStream.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t KeystreamBytes = 64u << 20;
constexpr std::size_t StreamBytes = 256u << 20;
constexpr std::size_t StreamChunk = 64u << 10;
const std::string Password = "8bytePWD";

// Textbook RC4 in one function: `passes` key-schedule passes over the identity permutation (the
// stretched set-up with a pass count), then the keystream XORed over the buffer.
void ReferenceRc4(const std::string& key, unsigned passes, unsigned char* buffer, std::size_t count)
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
}

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

void BM_KeySetupReference(benchmark::State& state)
{
    unsigned char none = 0;
    for (auto _ : state) {
        ReferenceRc4(Password, StretchedPassCount(Password), &none, 0);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_KeySetupReference)->Unit(benchmark::kMillisecond);

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

// 256 MiB written through the cipher stream in 64 KiB writes, then read back the same way.
// Bytes processed count both directions: every byte passes the cipher twice.
void BM_CryptoStreamWriteRead(benchmark::State& state)
{
    const std::string file = ScratchFile();
    std::vector<char> chunk(StreamChunk, 0x5A);
    for (auto _ : state) {
        std::unique_ptr<TBrassCrypto> cipher = std::make_unique<TBrassCrypto>(Password, 0);
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
