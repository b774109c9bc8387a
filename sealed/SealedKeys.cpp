#include "SealedKeys.h"

#include "cipher/SecureZero.h"

#include <chrono>

namespace sealed {

// The master key and the derived key bytes, wiped once the cipher keys are set up.
struct TSealedKeys::TDerived
{
    TDerived(std::string_view password, std::string_view salt, std::uint32_t iterations)
    {
        const auto start = std::chrono::steady_clock::now();
        std::string master = Pbkdf2Sha256(password, salt, iterations, KeySize);
        Check = HkdfSha256(master, salt, "sealvane5 check", CheckSize);
        Header = HkdfSha256(master, salt, "sealvane5 header", KeySize);
        Entry = HkdfSha256(master, salt, "sealvane5 entry", KeySize);
        Catalog = HkdfSha256(master, salt, "sealvane5 catalog", KeySize);
        SecureClear(master);
        Milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
                           .count();
    }
    ~TDerived()
    {
        SecureClear(Header);
        SecureClear(Entry);
        SecureClear(Catalog);
    }

    std::string Check;
    std::string Header;
    std::string Entry;
    std::string Catalog;
    std::int64_t Milliseconds = 0;
};

TSealedKeys::TSealedKeys(std::string_view password, std::string_view salt, std::uint32_t iterations)
    : TSealedKeys(TDerived(password, salt, iterations), salt, iterations)
{
}

TSealedKeys::TSealedKeys(TDerived derived, std::string_view salt, std::uint32_t iterations)
    : FSalt(salt), FIterations(iterations), FMilliseconds(derived.Milliseconds), FCheck(derived.Check),
      FHeader(derived.Header), FEntry(derived.Entry), FCatalog(derived.Catalog)
{
}

} // namespace sealed
