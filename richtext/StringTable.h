#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Distinct strings numbered in the order they were first added. Runs of a document refer to link
// targets and font names by their number, so a long link or font name is stored once however many
// runs and groups carry it.
class TStringTable
{
public:
    using TIndex = std::uint32_t;

    // The number of the value, which is added at the end when the table does not hold it yet.
    TIndex Add(std::string_view value);
    std::optional<TIndex> Find(std::string_view value) const;
    // The value of a number the table gave out; std::out_of_range for any other number.
    const std::string& At(TIndex index) const;
    std::size_t Size() const;

    // Equal when both hold the same strings in the same order.
    bool operator==(const TStringTable& other) const;

private:
    // A place of the hash index: the hash of a value and its number, or no number when free.
    struct TSlot
    {
        std::size_t FHash = 0;
        std::optional<TIndex> FIndex;
    };

    std::optional<TIndex> Find(std::string_view value, std::size_t hash) const;
    void Place(std::size_t hash, TIndex index);

    std::vector<std::string> FValues;
    // Open addressing: a value lives at the first free place from its hash on. The number of places
    // is a power of two, at least twice the number of values.
    std::vector<TSlot> FSlots;
};
