#pragma once

#include "Crypto.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string_view>

// RC4 with a stretched key schedule, as every container key uses it: tens of thousands of
// key-schedule passes slow down password guessing, a 64-bit check value identifies the key
// without revealing it, and the set-up time paces wrong-password answers. Clones let a container
// restart the keystream at a saved position.
class TBrassCrypto : public TCrypto
{
public:
    static constexpr std::uint16_t DefaultPasses = 33333;

    explicit TBrassCrypto(std::string_view key, std::uint16_t passes = DefaultPasses);

    // The check value taken right after the key set-up; it depends on the key only.
    virtual std::int64_t GetCheck() const;
    // The current permutation folded into 64 bits: 32 blocks of 8 bytes read big-endian, XORed.
    virtual std::int64_t ComputeCheck() const;

    // A new, independent cipher at exactly this one's keystream position and with its check.
    // The clone's set-up time is that of its own construction, which runs no key schedule: a
    // container clones a saved state for every entry it reads or writes.
    virtual std::unique_ptr<TBrassCrypto> Clone() const;

    // Whole milliseconds the key set-up took.
    std::int64_t SetupMilliseconds() const;

    // The derived value v (0 to 110) that adds v + 1 passes to the stretched set-up.
    static std::uint32_t KeyVariation(std::string_view key);

protected:
    // A copy of the other's permutation, position and check, without a key schedule.
    struct TCopyTag
    {
    };
    TBrassCrypto(const TBrassCrypto& other, TCopyTag);

private:
    using TClock = std::chrono::steady_clock;
    TClock::time_point FSetupStart;
    TClock::time_point FSetupEnd;
};
