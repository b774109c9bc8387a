#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

// One argument of a message format: a text or a whole number.
using TFormatArg = std::variant<std::string, std::int64_t>;

// Fills the placeholders of a message text: "%s" (text), "%d" (number), each taking the next
// argument, and "%N:s" / "%N:d", taking argument N and continuing after it; "%%" is a percent
// sign. A placeholder without a matching argument stays as it stands, so a faulty text shows
// what went wrong instead of failing.
std::string FormatText(std::string_view pattern, std::initializer_list<TFormatArg> args);
