#include "ExtraString.h"

#include "text/StoredText.h"

#include <charconv>

namespace {

const TExtraProvider* CurrentProvider = nullptr;

bool ParseDecimal(std::string_view text, std::int32_t& value)
{
    if (text.empty()) {
        return false;
    }
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end;
}

} // namespace

std::vector<std::string> SplitSeparated(std::string_view text)
{
    std::vector<std::string> items;
    std::size_t start = 0;
    for (std::size_t end = text.find(TExtraString::Separator); end != std::string_view::npos;
         end = text.find(TExtraString::Separator, start)) {
        items.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return items;
}

std::string JoinSeparated(const std::vector<std::string>& items)
{
    std::string text;
    for (const std::string& item : items) {
        text += item;
        text += TExtraString::Separator;
    }
    return text;
}

void TExtraString::SetProvider(const TExtraProvider* provider)
{
    CurrentProvider = provider;
}

bool TExtraString::IsNumeric(int index)
{
    return index == Flags || (index >= Version1 && index <= Version4) || index == Reserved2;
}

TExtraString::TExtraString(bool fill)
{
    for (int index = 0; index < FieldCount; ++index) {
        if (IsNumeric(index)) {
            SetNumber(index, 0);
        }
    }
    if (!fill) {
        return;
    }
    SetField(RecordFormat, CurrentFormat);
    if (CurrentProvider != nullptr) {
        SetField(SenderAddress, CurrentProvider->LastUsedMailAddress());
        const std::array<std::int32_t, 4> version = CurrentProvider->VersionNumbers();
        for (int n = 0; n < 4; ++n) {
            SetNumber(Version1 + n, version[static_cast<std::size_t>(n)]);
        }
        SetField(VersionText, CurrentProvider->VersionText());
    }
}

std::int32_t TExtraString::Number(int index) const
{
    std::int32_t value = 0;
    return ParseDecimal(Field(index), value) ? value : 0;
}

void TExtraString::SetNumber(int index, std::int32_t value)
{
    SetField(index, std::to_string(value));
}

std::string TExtraString::Serialize() const
{
    return ToStoredText(JoinSeparated(std::vector<std::string>(FFields.begin(), FFields.end())));
}

void TExtraString::Parse(std::string_view text)
{
    const std::vector<std::string> pieces = SplitSeparated(FromStoredText(text));
    for (std::size_t index = 0; index < pieces.size() && index < FFields.size(); ++index) {
        std::int32_t value = 0;
        if (IsNumeric(static_cast<int>(index)) && !ParseDecimal(pieces[index], value)) {
            return; // a piece that is no number ends the record quietly
        }
        FFields[index] = IsNumeric(static_cast<int>(index)) ? std::to_string(value) : pieces[index];
    }
}
