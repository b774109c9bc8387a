#include "FormatText.h"

#include <vector>

namespace {

std::string ArgText(const TFormatArg& arg)
{
    if (const auto* text = std::get_if<std::string>(&arg)) {
        return *text;
    }
    return std::to_string(std::get<std::int64_t>(arg));
}

} // namespace

std::string FormatText(std::string_view pattern, std::initializer_list<TFormatArg> args)
{
    const std::vector<TFormatArg> arguments(args);
    std::string result;
    result.reserve(pattern.size() + 32);
    std::size_t nextArg = 0;
    std::size_t pos = 0;
    while (pos < pattern.size()) {
        const char c = pattern[pos];
        if (c != '%' || pos + 1 >= pattern.size()) {
            result += c;
            ++pos;
            continue;
        }
        if (pattern[pos + 1] == '%') {
            result += '%';
            pos += 2;
            continue;
        }
        // %[index:]s or %[index:]d
        std::size_t cursor = pos + 1;
        std::size_t index = nextArg;
        std::size_t digitsEnd = cursor;
        while (digitsEnd < pattern.size() && pattern[digitsEnd] >= '0' && pattern[digitsEnd] <= '9') {
            ++digitsEnd;
        }
        if (digitsEnd > cursor && digitsEnd - cursor <= 3 && digitsEnd < pattern.size() && pattern[digitsEnd] == ':') {
            index = std::stoul(std::string(pattern.substr(cursor, digitsEnd - cursor)));
            cursor = digitsEnd + 1;
        }
        const bool known = cursor < pattern.size() && (pattern[cursor] == 's' || pattern[cursor] == 'd');
        if (!known || index >= arguments.size()) {
            result += c;
            ++pos;
            continue;
        }
        result += ArgText(arguments[index]);
        nextArg = index + 1;
        pos = cursor + 1;
    }
    return result;
}
