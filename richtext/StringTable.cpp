#include "StringTable.h"

#include <algorithm>
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
    if (2 * (FValues.size() + 1) > FSlots.size()) {
        std::vector<TSlot> slots(std::max<std::size_t>(16, 2 * FSlots.size()));
        FSlots.swap(slots);
        for (const TSlot& slot : slots) {
            if (slot.FIndex) {
                Place(slot.FHash, *slot.FIndex);
            }
        }
    }
    const auto index = static_cast<TIndex>(FValues.size());
    FValues.emplace_back(value);
    Place(hash, index);
    return index;
}

std::optional<TStringTable::TIndex> TStringTable::Find(std::string_view value) const
{
    return Find(value, Hash(value));
}

std::optional<TStringTable::TIndex> TStringTable::Find(std::string_view value, std::size_t hash) const
{
    const std::size_t mask = FSlots.size() - 1;
    for (std::size_t place = hash & mask; !FSlots.empty() && FSlots[place].FIndex; place = (place + 1) & mask) {
        if (FSlots[place].FHash == hash && FValues[*FSlots[place].FIndex] == value) {
            return FSlots[place].FIndex;
        }
    }
    return std::nullopt;
}

void TStringTable::Place(std::size_t hash, TIndex index)
{
    std::size_t place = hash & (FSlots.size() - 1);
    while (FSlots[place].FIndex) {
        place = (place + 1) & (FSlots.size() - 1);
    }
    FSlots[place] = {hash, index};
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
