#pragma once

#include "BrassCrypto.h"
#include "KeystreamRecord.h"

#include <memory>

// A cipher restarted at the state a keystream record begins with: it replays the kept keystream
// and, past the record's limit, goes on with a cipher of its own. Enciphers exactly as a clone of
// that state would; its own permutation stays the start state.
class TReplayCrypto : public TBrassCrypto
{
public:
    TReplayCrypto(const TBrassCrypto& start, std::shared_ptr<TKeystreamRecord> record);

    void CryptTo(const void* source, void* destination, std::size_t count) override;
    // At the same keystream position.
    std::unique_ptr<TBrassCrypto> Clone() const override;

private:
    std::shared_ptr<TKeystreamRecord> FRecord;
    // Keystream bytes used so far.
    std::size_t FPosition = 0;
    // Past the record's limit.
    std::unique_ptr<TBrassCrypto> FBeyond;
};
