#include "PasswordQual.h"

#include "text/Windows1252.h"

#include <QChar>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

enum class TLetterCase : unsigned char
{
    None,
    Upper,
    Lower
};

// The case of every byte read as a Windows-1252 character, so that accented capitals count as
// capitals. Bytes of UTF-8 text are classified the same way, one by one.
const std::array<TLetterCase, 256>& LetterCases()
{
    static const std::array<TLetterCase, 256> cases = [] {
        std::array<TLetterCase, 256> table{};
        for (int byte = 0; byte < 256; ++byte) {
            const char32_t c = FromWindows1252(static_cast<unsigned char>(byte));
            if (QChar::isUpper(c)) {
                table[byte] = TLetterCase::Upper;
            } else if (QChar::isLower(c)) {
                table[byte] = TLetterCase::Lower;
            }
        }
        return table;
    }();
    return cases;
}

// Relative frequencies of the letters A to Z in English text.
constexpr std::array<double, 26> LetterFrequencies = {43.31, 10.56, 23.13, 17.25, 56.88, 9.24,  12.59, 15.31, 38.45,
                                                      1.00,  5.61,  27.98, 15.36, 33.92, 36.51, 16.14, 1.00,  38.64,
                                                      29.23, 35.43, 18.51, 5.13,  6.57,  1.48,  9.06,  1.39};

// How much one more occurrence of a byte counts: common letters little more than half, rare ones
// nearly fully, spaces half, everything else fully.
double Weight(int byte)
{
    if (byte == ' ') {
        return 0.5;
    }
    int letter = -1;
    if (byte >= 'A' && byte <= 'Z') {
        letter = byte - 'A';
    } else if (byte >= 'a' && byte <= 'z') {
        letter = byte - 'a';
    }
    return letter < 0 ? 1.0 : 0.5 / LetterFrequencies[static_cast<std::size_t>(letter)] + 0.5;
}

} // namespace

double TPasswordQual::Quality() const
{
    return RawQualityOf(FieldKey().Bytes());
}

double TPasswordQual::RawQualityOf(std::string_view bytes)
{
    std::array<std::size_t, 256> counts{};
    bool lower = false;
    bool upper = false;
    bool digit = false;
    bool special = false;
    bool high = false;
    const std::array<TLetterCase, 256>& cases = LetterCases();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        ++counts[c];
        const bool first = i == 0;
        const bool last = i + 1 == bytes.size();
        if (c >= 0x80) {
            high = true;
        }
        if (c == ' ') {
            continue;
        }
        if (cases[c] == TLetterCase::Upper) {
            upper = upper || !first;
        } else if (cases[c] == TLetterCase::Lower) {
            lower = true;
        } else if (c >= '0' && c <= '9') {
            digit = digit || !last;
        } else if (c < 0x80) {
            special = special || !last;
        }
    }

    // Each occurrence after the first adds less: the k-th counts 1/k.
    double length = 0;
    for (int byte = 0; byte < 256; ++byte) {
        double harmonic = 0;
        for (std::size_t k = 1; k <= counts[static_cast<std::size_t>(byte)]; ++k) {
            harmonic += 1.0 / static_cast<double>(k);
        }
        length += harmonic * Weight(byte);
    }

    int alphabet = (lower ? 26 : 0) + (upper ? 26 : 0) + (digit ? 10 : 0) + (special ? 31 : 0) + (high ? 20 : 0);
    alphabet = std::max(alphabet, 1);
    return std::log(static_cast<double>(alphabet)) * length;
}
