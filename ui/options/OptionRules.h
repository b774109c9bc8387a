#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The rules by which the options dialog reads and corrects what the user typed.

// A number field's value: an optional '+' or '-', then the decimal digits up to the first other
// character; text without leading digits (a leading blank included) reads as 0. Values beyond
// 64 bits stop growing, so they stay out of every range the fields accept.
std::int64_t ReadLeadingInteger(std::string_view text);

// The value when it lies in low..high, otherwise the correction.
std::int32_t InRangeOr(std::int64_t value, std::int32_t low, std::int32_t high, std::int32_t correction);

// Characters the default container name parts refuse: those that have no place in a file name
// on some system, the dot before the extension, and '|', which stored names use as their path
// delimiter.
bool IsRefusedInNamePart(char16_t character);

// The prefix put before mail recipients, as the three option buttons choose it.
enum class TAddressType
{
    Automatic,
    Http,
    Smtp
};

// "SMTP:" and "HTTP:" select their buttons; any other stored prefix reads as automatic.
TAddressType AddressTypeOf(const std::string& mailTypeTrailer);
// "SMTP:", "HTTP:", or empty for automatic.
std::string MailTypeTrailerOf(TAddressType type);
