#include "BrassCrypto.h"

#include <cstring>

TBrassCrypto::TBrassCrypto(std::string_view key, std::uint16_t passes) : FSetupStart(TClock::now())
{
    const std::uint32_t v = KeyVariation(key);
    ResetState();
    // The plain set-up's pass and passes + v + 1 more, in one run.
    KeyPasses(key, static_cast<std::uint32_t>(passes) + v + 2);
    FCheck = ComputeCheck();
    FSetupEnd = TClock::now();
}

std::uint32_t TBrassCrypto::KeyVariation(std::string_view key)
{
    std::uint32_t v = 0;
    std::uint32_t position = 0;
    for (const char c : key) {
        ++position;
        v = ((v + static_cast<std::uint8_t>(c)) ^ position) % 111;
    }
    return v;
}

std::int64_t TBrassCrypto::GetCheck() const
{
    return FCheck;
}

std::int64_t TBrassCrypto::ComputeCheck() const
{
    std::uint64_t fold = 0;
    for (int block = 0; block < 32; ++block) {
        std::uint64_t value = 0;
        for (int n = 0; n < 8; ++n) {
            value = (value << 8) | StateByte(8 * block + n);
        }
        fold ^= value;
    }
    return static_cast<std::int64_t>(fold);
}

TBrassCrypto::TBrassCrypto(const TBrassCrypto& other, TCopyTag) : FSetupStart(TClock::now()), FSetupEnd(FSetupStart)
{
    std::memcpy(FState, other.FState, sizeof FState);
    FI = other.FI;
    FJ = other.FJ;
    FCheck = other.FCheck;
}

std::unique_ptr<TBrassCrypto> TBrassCrypto::Clone() const
{
    return std::unique_ptr<TBrassCrypto>(new TBrassCrypto(*this, TCopyTag{}));
}

std::int64_t TBrassCrypto::SetupMilliseconds() const
{
    const auto elapsed = FSetupEnd >= FSetupStart ? FSetupEnd - FSetupStart : FSetupStart - FSetupEnd;
    return std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
}
