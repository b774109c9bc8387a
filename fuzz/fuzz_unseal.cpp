// Unseals the input as a sealed text with a short key; the first byte chooses whether the text
// carries a check. Unsealing with a check may refuse the text (ECryptoError); without a check it
// must never fail. Then the input as plain text must come back unchanged from sealing and
// unsealing.

#include "FixedKeys.h"
#include "cipher/CryptoError.h"
#include "cipher/SealedString.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void CheckRoundTrip(std::string_view plain, bool withCheck)
{
    const std::string sealed = SealString(plain, FuzzSealKey, withCheck);
    std::string back;
    try {
        back = UnsealString(sealed, FuzzSealKey, withCheck);
    } catch (const ECryptoError& error) {
        std::fprintf(stderr, "a freshly sealed text (check %d) is refused: %s\n", withCheck, error.what());
        std::abort();
    }
    if (back != plain) {
        std::fprintf(stderr, "sealing and unsealing (check %d) changed the text\n", withCheck);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const bool withCheck = (data[0] & 1) != 0;
    const std::string_view sealed(reinterpret_cast<const char*>(data + 1), size - 1);
    try {
        (void)UnsealString(sealed, FuzzSealKey, withCheck);
    } catch (const ECryptoError&) {
        if (!withCheck) {
            std::fprintf(stderr, "unsealing without a check failed\n");
            std::abort();
        }
    }

    const std::string_view plain(reinterpret_cast<const char*>(data), size);
    CheckRoundTrip(plain, true);
    if (!withCheck) {
        CheckRoundTrip(plain, false);
    }
    return 0;
}
