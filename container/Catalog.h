#pragma once

#include "FileInfo.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

// The table of contents of a container: its entries, their numbering and the order in which
// they are shown. The sort order is stored with the catalog as a sort code: column + 1 when
// ascending, -(column + 1) when descending.
class TCatalog
{
public:
    using TEntry = std::shared_ptr<TFileInfo>;

    // Sort columns.
    enum : std::uint8_t
    {
        ByID,
        ByFileName,
        ByBaseFolder,
        ByRelativeFolder,
        ByFullName,
        ByDupNo,
        BySize,
        ByAttributes,
        ByModified,
        ByAdded,
        ColumnCount
    };

    TCatalog() = default;
    virtual ~TCatalog() = default;

    int Count() const { return static_cast<int>(FItems.size()); }
    // Raises std::out_of_range for an index outside 0 to Count() - 1.
    const TEntry& Item(int index) const;
    std::deque<TEntry>::const_iterator begin() const { return FItems.begin(); }
    std::deque<TEntry>::const_iterator end() const { return FItems.end(); }

    // Gives the entry the next number and puts it where the current sort order wants it.
    virtual void Add(TEntry entry);
    // The same for many entries, numbered in the order given, sorted once.
    virtual void AddAll(std::vector<TEntry> entries);
    // Removes the first entry with the same number; nothing happens when there is none.
    virtual void Remove(const TFileInfo& entry);
    // Removes the entry at index; raises std::out_of_range for an index outside the list.
    virtual void DeleteAt(int index);
    virtual void SortBy(std::uint8_t column, bool ascending);
    // code > 0: ascending by column code - 1; code < 0: descending by column -code - 1; 0: no change.
    virtual void SortByCode(std::int64_t code);
    // Ascending by entry number: the order in which entries were added and are stored.
    virtual void SortByID();

    std::int64_t SortCode() const;
    std::uint8_t SortColumn() const { return FSortColumn; }
    bool Ascending() const { return FAscending; }
    std::int32_t NextID() const { return FNextID; }
    // True when the catalog was rebuilt by scanning the container instead of read from it.
    bool Regenerated() const { return FRegenerated; }
    void SetRegenerated(bool regenerated) { FRegenerated = regenerated; }

private:
    void Sort();

    // A deque: in the default order, newest first, every added entry goes to the front.
    std::deque<TEntry> FItems;
    std::uint8_t FSortColumn = ByID;
    bool FAscending = false;
    std::int32_t FNextID = 0;
    bool FRegenerated = false;
};
