#include "KeystreamRecord.h"

#include "SecureZero.h"

#include <algorithm>
#include <new>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// Kept bytes grow in steps of this much: short reads do not each run the cipher.
constexpr std::size_t Step = 128 * 1024;

} // namespace

TKeystreamRecord::TKeystreamRecord(const TBrassCrypto& start, std::size_t limit) : FLimit(limit), FCipher(start.Clone())
{
    if (FLimit == 0) {
        return;
    }
    const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    FMapped = (FLimit + page - 1) / page * page;
    void* pages = ::mmap(nullptr, FMapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (pages == MAP_FAILED) {
        throw std::bad_alloc();
    }
#ifdef MADV_DONTDUMP
    ::madvise(pages, FMapped, MADV_DONTDUMP);
#endif
    FBytes = static_cast<unsigned char*>(pages);
}

TKeystreamRecord::~TKeystreamRecord()
{
    if (FBytes != nullptr) {
        SecureZero(FBytes, FKept);
        ::munmap(FBytes, FMapped);
    }
}

const unsigned char* TKeystreamRecord::Upto(std::size_t end)
{
    if (end > FKept && FKept < FLimit) {
        const std::size_t grown = std::min(FLimit, std::max(end, FKept + Step));
        // The keystream is what the cipher makes of zeros, and fresh pages hold zeros.
        FCipher->Crypt(FBytes + FKept, grown - FKept);
        FKept = grown;
    }
    return FBytes;
}

std::unique_ptr<TBrassCrypto> TKeystreamRecord::CipherAtLimit()
{
    Upto(FLimit);
    return FCipher->Clone();
}
