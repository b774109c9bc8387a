#include "StringTable.h"

#include <functional>

namespace {

std::size_t Hash(std::string_view value)
{
    return std::hash<std::string_view>{}(value);
}

} // namespace

TStringTable::TIndex TStringTable::Add(std::string_view value)
{
    const std::size_t hash = Hash(value);
    if (const auto index = Find(value, hash)) {
        return *index;
    }
    const auto index = static_cast<TIndex>(FValues.size());
    FValues.emplace_back(value);
    FIndices.emplace(hash, index);
    return index;
}

std::optional<TStringTable::TIndex> TStringTable::Find(std::string_view value) const
{
    return Find(value, Hash(value));
}

std::optional<TStringTable::TIndex> TStringTable::Find(std::string_view value, std::size_t hash) const
{
    const auto [first, last] = FIndices.equal_range(hash);
    for (auto entry = first; entry != last; ++entry) {
        if (FValues[entry->second] == value) {
            return entry->second;
        }
    }
    return std::nullopt;
}

const std::string& TStringTable::At(TIndex index) const
{
    return FValues.at(index);
}

std::size_t TStringTable::Size() const
{
    return FValues.size();
}

bool TStringTable::operator==(const TStringTable& other) const
{
    return FValues == other.FValues;
}
