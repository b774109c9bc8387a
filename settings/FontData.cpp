#include "FontData.h"

#include "container/ExtraString.h"

#include <array>
#include <charconv>
#include <stdexcept>
#include <vector>

namespace {

constexpr std::size_t AppliedFields = 6;

std::int32_t ParseNumber(const std::string& text)
{
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) {
        throw std::invalid_argument(text);
    }
    return value;
}

} // namespace

std::string TFontData::ToSettingText() const
{
    return JoinSeparated({FName, std::to_string(FHeight), std::to_string(FWidth), std::to_string(FWeight),
                          std::to_string(FCharset), std::to_string(FColor), FItalic ? "1" : "0", FUnderline ? "1" : "0",
                          FStrikeOut ? "1" : "0"});
}

void TFontData::ApplySettingText(std::string_view text)
{
    const std::vector<std::string> fields = SplitSeparated(text);
    TFontData applied = *this;
    const std::array<std::int32_t*, AppliedFields - 1> numbers = {&applied.FHeight, &applied.FWidth, &applied.FWeight,
                                                                  &applied.FCharset, &applied.FColor};
    for (std::size_t n = 0; n < fields.size() && n < AppliedFields; ++n) {
        if (n == 0) {
            applied.FName = fields[0];
        } else {
            *numbers[n - 1] = ParseNumber(fields[n]);
        }
    }
    *this = applied;
}
