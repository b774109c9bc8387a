#include "OptionRules.h"

#include <limits>

std::int64_t ReadLeadingInteger(std::string_view text)
{
    std::size_t position = 0;
    bool negative = false;
    if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
        negative = text[position] == '-';
        ++position;
    }
    constexpr std::int64_t Limit = std::numeric_limits<std::int64_t>::max() / 10 - 9;
    std::int64_t value = 0;
    for (; position < text.size() && text[position] >= '0' && text[position] <= '9'; ++position) {
        if (value < Limit) {
            value = value * 10 + (text[position] - '0');
        }
    }
    return negative ? -value : value;
}

std::int32_t InRangeOr(std::int64_t value, std::int32_t low, std::int32_t high, std::int32_t correction)
{
    return value >= low && value <= high ? static_cast<std::int32_t>(value) : correction;
}

bool IsRefusedInNamePart(char16_t character)
{
    return std::u16string_view(u"*/\\?<>\"=[]+.,;:|").find(character) != std::u16string_view::npos;
}

TAddressType AddressTypeOf(const std::string& mailTypeTrailer)
{
    if (mailTypeTrailer == "SMTP:") {
        return TAddressType::Smtp;
    }
    if (mailTypeTrailer == "HTTP:") {
        return TAddressType::Http;
    }
    return TAddressType::Automatic;
}

std::string MailTypeTrailerOf(TAddressType type)
{
    switch (type) {
    case TAddressType::Smtp:
        return "SMTP:";
    case TAddressType::Http:
        return "HTTP:";
    case TAddressType::Automatic:
        break;
    }
    return {};
}
