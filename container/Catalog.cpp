#include "Catalog.h"

#include "PathError.h"
#include "TextCompare.h"

#include <algorithm>
#include <compare>
#include <cwchar>
#include <cwctype>
#include <limits>
#include <stdexcept>
#include <string>

namespace {

// The full name for sorting; a damaged entry whose parts cannot be joined sorts by its parts.
std::string FullNameForSort(const TPathInfo& path)
{
    try {
        return path.FullName();
    } catch (const EPathError&) {
        return path.BaseFolder() + path.RelativeFolder() + PathDelimiter + path.FileName();
    }
}

bool IsTextColumn(std::uint8_t column)
{
    return column >= TCatalog::ByFileName && column <= TCatalog::ByFullName;
}

std::string TextOf(const TFileInfo& entry, std::uint8_t column)
{
    switch (column) {
    case TCatalog::ByFileName:
        return entry.FPath.FileName();
    case TCatalog::ByBaseFolder:
        return entry.FPath.BaseFolder();
    case TCatalog::ByRelativeFolder:
        return entry.FPath.RelativeFolder();
    case TCatalog::ByFullName:
        return FullNameForSort(entry.FPath);
    default:
        return {};
    }
}

std::int64_t NumberOf(const TFileInfo& entry, std::uint8_t column)
{
    switch (column) {
    case TCatalog::ByID:
        return entry.FID;
    case TCatalog::ByDupNo:
        return entry.FDupNo;
    case TCatalog::BySize:
        return entry.FSize;
    case TCatalog::ByAttributes:
        return entry.FAttributes;
    case TCatalog::ByModified:
        return entry.FModified;
    case TCatalog::ByAdded:
        return entry.FAdded;
    default:
        return 0;
    }
}

// An entry with what it is compared by, worked out once before sorting.
struct TSortItem
{
    std::wstring Key;
    std::int64_t Number = 0;
    TCatalog::TEntry Entry;
};

TSortItem MakeSortItem(const TCatalog::TEntry& entry, std::uint8_t column)
{
    TSortItem item;
    if (IsTextColumn(column)) {
        item.Key = CaseFoldedKey(TextOf(*entry, column));
    } else {
        item.Number = NumberOf(*entry, column);
    }
    item.Entry = entry;
    return item;
}

// Negative when a stands before b in ascending order. Folders and full names are compared b
// against a, so that they list in reverse text order when ascending: stored sort codes rely on it.
int Compare(const TSortItem& a, const TSortItem& b, std::uint8_t column)
{
    if (column >= TCatalog::ColumnCount) {
        return 0;
    }
    if (!IsTextColumn(column)) {
        const std::strong_ordering order = a.Number <=> b.Number;
        return order < 0 ? -1 : (order > 0 ? 1 : 0);
    }
    if (column == TCatalog::ByFileName) {
        return std::wcscoll(a.Key.c_str(), b.Key.c_str());
    }
    return std::wcscoll(b.Key.c_str(), a.Key.c_str());
}

} // namespace

const TCatalog::TEntry& TCatalog::Item(int index) const
{
    if (index < 0 || index >= Count()) {
        throw std::out_of_range("catalog index " + std::to_string(index) + " out of range");
    }
    return FItems[static_cast<std::size_t>(index)];
}

void TCatalog::Add(TEntry entry)
{
    if (!entry) {
        throw std::invalid_argument("catalog entry missing");
    }
    entry->FID = FNextID;
    ++FNextID;
    // The list is sorted already: the new entry goes where the sort would put it.
    const std::uint8_t column = FSortColumn;
    const bool ascending = FAscending;
    const TSortItem added = MakeSortItem(entry, column);
    const auto place = std::upper_bound(FItems.begin(), FItems.end(), added, [&](const TSortItem& a, const TEntry& b) {
        const TSortItem other = MakeSortItem(b, column);
        return (ascending ? Compare(a, other, column) : Compare(other, a, column)) < 0;
    });
    FItems.insert(place, std::move(entry));
}

void TCatalog::AddAll(std::vector<TEntry> entries)
{
    for (TEntry& entry : entries) {
        if (!entry) {
            throw std::invalid_argument("catalog entry missing");
        }
        entry->FID = FNextID;
        ++FNextID;
        FItems.push_back(std::move(entry));
    }
    Sort();
}

void TCatalog::Remove(const TFileInfo& entry)
{
    const std::int64_t id = entry.FID;
    const auto found = std::find_if(FItems.begin(), FItems.end(), [id](const TEntry& item) { return item->FID == id; });
    if (found != FItems.end()) {
        FItems.erase(found);
    }
}

void TCatalog::DeleteAt(int index)
{
    // Held here: removing the last reference must not free the entry while Remove still reads it.
    const TEntry entry = Item(index);
    Remove(*entry);
}

void TCatalog::SortBy(std::uint8_t column, bool ascending)
{
    FSortColumn = column;
    FAscending = ascending;
    Sort();
}

void TCatalog::SortByCode(std::int64_t code)
{
    if (code == 0) {
        return;
    }
    // -(code + 1) cannot overflow. A column beyond the byte range is unknown and stays unknown,
    // instead of wrapping round onto a real column.
    const std::int64_t column = code > 0 ? code - 1 : -(code + 1);
    const std::int64_t maxColumn = std::numeric_limits<std::uint8_t>::max();
    SortBy(static_cast<std::uint8_t>(std::min(column, maxColumn)), code > 0);
}

void TCatalog::SortByID()
{
    SortBy(ByID, true);
}

std::int64_t TCatalog::SortCode() const
{
    const std::int64_t code = static_cast<std::int64_t>(FSortColumn) + 1;
    return FAscending ? code : -code;
}

void TCatalog::Sort()
{
    const std::uint8_t column = FSortColumn;
    std::vector<TSortItem> items;
    items.reserve(FItems.size());
    // The list itself is only rewritten once everything that can fail is done.
    for (const TEntry& entry : FItems) {
        items.push_back(MakeSortItem(entry, column));
    }
    // Descending order compares the two entries the other way round.
    const bool ascending = FAscending;
    std::sort(items.begin(), items.end(), [column, ascending](const TSortItem& a, const TSortItem& b) {
        return (ascending ? Compare(a, b, column) : Compare(b, a, column)) < 0;
    });
    for (std::size_t n = 0; n < items.size(); ++n) {
        FItems[n] = std::move(items[n].Entry);
    }
}
