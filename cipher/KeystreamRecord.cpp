#include "KeystreamRecord.h"

#include "SecureZero.h"
#include "UninitialisedBuffer.h"

#include <algorithm>
#include <cstring>

namespace {

// Kept bytes grow in steps of this much: short reads do not each run the cipher, and a long
// catalog read field by field does not copy what is kept again and again.
constexpr std::size_t Step = 128 * 1024;

} // namespace

TKeystreamRecord::TKeystreamRecord(const TBrassCrypto& start, std::size_t limit) : FLimit(limit), FCipher(start.Clone())
{
}

TKeystreamRecord::~TKeystreamRecord()
{
    if (FKept > 0) {
        SecureZero(FBytes.get(), FKept);
    }
}

const unsigned char* TKeystreamRecord::Upto(std::size_t end)
{
    if (end > FKept) {
        const std::size_t grown = std::min(FLimit, std::max(end, FKept + Step));
        std::unique_ptr<char[]> bytes = UninitialisedBuffer(grown);
        if (FKept > 0) {
            std::memcpy(bytes.get(), FBytes.get(), FKept);
            SecureZero(FBytes.get(), FKept);
        }
        // The keystream is what the cipher makes of zeros.
        std::memset(bytes.get() + FKept, 0, grown - FKept);
        FCipher->Crypt(bytes.get() + FKept, grown - FKept);
        FBytes = std::move(bytes);
        FKept = grown;
    }
    return reinterpret_cast<const unsigned char*>(FBytes.get());
}

std::unique_ptr<TBrassCrypto> TKeystreamRecord::CipherAtLimit()
{
    Upto(FLimit);
    return FCipher->Clone();
}
