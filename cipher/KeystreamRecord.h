#pragma once

#include "BrassCrypto.h"

#include <cstddef>
#include <memory>

// The keystream that follows one cipher state, kept as it is first needed, up to a limit: a
// container restarts the keystream of every entry at the same state, and replaying kept bytes
// costs a fraction of running the cipher again for each entry. Zeroed when released.
class TKeystreamRecord
{
public:
    TKeystreamRecord(const TBrassCrypto& start, std::size_t limit);
    ~TKeystreamRecord();
    TKeystreamRecord(const TKeystreamRecord&) = delete;
    TKeystreamRecord& operator=(const TKeystreamRecord&) = delete;

    std::size_t Limit() const { return FLimit; }
    // The keystream from the start state, at least end bytes of it (end at most Limit); valid
    // until the next call.
    const unsigned char* Upto(std::size_t end);
    // A cipher at keystream position Limit, to go on from there.
    std::unique_ptr<TBrassCrypto> CipherAtLimit();

private:
    const std::size_t FLimit;
    // At the position where the kept bytes end.
    std::unique_ptr<TBrassCrypto> FCipher;
    // Grown in steps as far as needed, so that a damaged container asks for little more memory
    // than its bytes; a replaced buffer is zeroed.
    std::unique_ptr<char[]> FBytes;
    std::size_t FKept = 0;
};
