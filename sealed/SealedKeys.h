#pragma once

#include "SealedCrypto.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace sealed {

// Limits of the password stretching: writers use the default, readers refuse counts outside the
// range before deriving anything (a stranger's huge count must not hold the program for hours).
inline constexpr std::uint32_t DefaultIterations = 600'000;
inline constexpr std::uint32_t MinIterations = 100'000;
inline constexpr std::uint32_t MaxIterations = 10'000'000;
inline constexpr std::size_t SaltSize = 16;
inline constexpr std::size_t CheckSize = 16;

// The keys of one container: the master key stretched from the password with PBKDF2, and from it
// with HKDF the key check (which tells a wrong password from a damaged file) and one key each for
// the header, the entries and the catalog.
class TSealedKeys
{
public:
    TSealedKeys(std::string_view password, std::string_view salt, std::uint32_t iterations);

    // Whether these keys were derived from this salt and count (the password is the container's
    // for its whole life).
    bool DerivedFrom(std::string_view salt, std::uint32_t iterations) const
    {
        return salt == FSalt && iterations == FIterations;
    }
    const std::string& Check() const { return FCheck; }
    // Milliseconds the derivation took: the wrong-password pause counts them in.
    std::int64_t DerivationMilliseconds() const { return FMilliseconds; }

    const TGcmKey& Header() const { return FHeader; }
    const TGcmKey& Entry() const { return FEntry; }
    const TGcmKey& Catalog() const { return FCatalog; }

private:
    struct TDerived;
    TSealedKeys(TDerived derived, std::string_view salt, std::uint32_t iterations);

    std::string FSalt;
    std::uint32_t FIterations;
    std::int64_t FMilliseconds;
    std::string FCheck;
    TGcmKey FHeader;
    TGcmKey FEntry;
    TGcmKey FCatalog;
};

} // namespace sealed
