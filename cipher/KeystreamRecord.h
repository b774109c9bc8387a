#pragma once

#include "BrassCrypto.h"

#include <cstddef>
#include <memory>

// The keystream that follows one cipher state, kept as it is first needed, up to a limit: a
// container restarts the keystream of every entry at the same state, and replaying kept bytes
// costs a fraction of running the cipher again for each entry. The bytes decipher the beginning
// of every entry, so they lie in pages of their own that a core dump leaves out, and they are
// zeroed when released.
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
    // Pages for Limit bytes, mapped at once but filled in steps as far as needed: the system gives
    // a page memory only when it is first written, so a damaged container costs little more than
    // its bytes. Null for a limit of 0.
    unsigned char* FBytes = nullptr;
    std::size_t FMapped = 0;
    std::size_t FKept = 0;
};
