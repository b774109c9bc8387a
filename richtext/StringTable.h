#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
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
    std::optional<TIndex> Find(std::string_view value, std::size_t hash) const;

    std::vector<std::string> FValues;
    std::unordered_multimap<std::size_t, TIndex> FIndices; // hash of a value -> its number
};
