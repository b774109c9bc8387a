#include "ReplayCrypto.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

TReplayCrypto::TReplayCrypto(const TBrassCrypto& start, std::shared_ptr<TKeystreamRecord> record)
    : TBrassCrypto(start, TCopyTag{}), FRecord(std::move(record))
{
}

void TReplayCrypto::CryptTo(const void* source, void* destination, std::size_t count)
{
    const auto* in = static_cast<const unsigned char*>(source);
    auto* out = static_cast<unsigned char*>(destination);
    if (!FBeyond) {
        const std::size_t replayed = std::min(count, FRecord->Limit() - FPosition);
        const unsigned char* key = FRecord->Upto(FPosition + replayed) + FPosition;
        std::size_t n = 0;
        for (; n + 8 <= replayed; n += 8) {
            std::uint64_t word;
            std::uint64_t keyWord;
            std::memcpy(&word, in + n, 8);
            std::memcpy(&keyWord, key + n, 8);
            word ^= keyWord;
            std::memcpy(out + n, &word, 8);
        }
        for (; n < replayed; ++n) {
            out[n] = static_cast<unsigned char>(in[n] ^ key[n]);
        }
        FPosition += replayed;
        if (replayed == count) {
            return;
        }
        in += replayed;
        out += replayed;
        count -= replayed;
        FBeyond = FRecord->CipherAtLimit();
    }
    FBeyond->CryptTo(in, out, count);
}

std::unique_ptr<TBrassCrypto> TReplayCrypto::Clone() const
{
    if (FBeyond) {
        return FBeyond->Clone();
    }
    auto clone = std::make_unique<TReplayCrypto>(*this, FRecord);
    clone->FPosition = FPosition;
    return clone;
}
