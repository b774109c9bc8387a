#include "container/Catalog.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <stdexcept>

namespace {

TCatalog::TEntry Entry(const std::string& base, const std::string& relative, const std::string& name)
{
    auto entry = std::make_shared<TFileInfo>();
    entry->FPath = TPathInfo(base, name, relative);
    return entry;
}

std::vector<std::int64_t> Ids(const TCatalog& catalog)
{
    std::vector<std::int64_t> ids;
    for (const auto& entry : catalog) {
        ids.push_back(entry->FID);
    }
    return ids;
}

std::vector<std::string> Names(const TCatalog& catalog)
{
    std::vector<std::string> names;
    for (const auto& entry : catalog) {
        names.push_back(entry->FPath.FileName());
    }
    return names;
}

using Ints = std::vector<std::int64_t>;
using Texts = std::vector<std::string>;

// Switches the collation and character classes for one test and puts the previous ones back.
class TLocaleScope
{
public:
    explicit TLocaleScope(const char* name) : FSaved(std::setlocale(LC_ALL, nullptr))
    {
        FActive = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~TLocaleScope() { std::setlocale(LC_ALL, FSaved.c_str()); }
    bool Active() const { return FActive; }

private:
    std::string FSaved;
    bool FActive = false;
};

} // namespace

TEST(CatalogTest, NumbersEntriesAndKeepsThemNewestFirst)
{
    TCatalog catalog;
    EXPECT_EQ(catalog.SortCode(), -1);
    EXPECT_EQ(catalog.NextID(), 0);
    EXPECT_FALSE(catalog.Regenerated());

    catalog.Add(Entry("/d", "", "a"));
    catalog.Add(Entry("/d", "", "b"));
    catalog.Add(Entry("/d", "", "c"));
    EXPECT_EQ(Ids(catalog), (Ints{2, 1, 0}));
    EXPECT_EQ(Names(catalog), (Texts{"c", "b", "a"}));
    EXPECT_EQ(catalog.NextID(), 3);

    catalog.SortByID();
    EXPECT_EQ(Ids(catalog), (Ints{0, 1, 2}));
    EXPECT_EQ(catalog.SortCode(), 1);
    // New entries take the current order.
    catalog.Add(Entry("/d", "", "0"));
    EXPECT_EQ(Ids(catalog), (Ints{0, 1, 2, 3}));
    EXPECT_THROW(catalog.Add(nullptr), std::invalid_argument);
    EXPECT_EQ(catalog.Count(), 4);
}

TEST(CatalogTest, SortCodesSelectColumnAndDirection)
{
    TCatalog catalog;
    catalog.Add(Entry("/a", "", "Y"));
    catalog.Add(Entry("/b", "", "x"));
    catalog.Add(Entry("/c", "", "z"));

    // Folders list in reverse text order when ascending.
    catalog.SortByCode(3);
    EXPECT_EQ(catalog.SortColumn(), TCatalog::ByBaseFolder);
    EXPECT_TRUE(catalog.Ascending());
    EXPECT_EQ(Names(catalog), (Texts{"z", "x", "Y"}));

    catalog.SortByCode(-2);
    EXPECT_EQ(catalog.SortColumn(), TCatalog::ByFileName);
    EXPECT_FALSE(catalog.Ascending());
    EXPECT_EQ(Names(catalog), (Texts{"z", "Y", "x"}));

    catalog.SortBy(TCatalog::BySize, false);
    EXPECT_EQ(catalog.SortCode(), -7);
    catalog.SortBy(TCatalog::ByFileName, true);
    catalog.SortByCode(0);
    EXPECT_EQ(catalog.SortCode(), 2);
    EXPECT_EQ(Names(catalog), (Texts{"x", "Y", "z"}));

    // Codes from a damaged file: an unknown column stays unknown and keeps every entry.
    catalog.SortByCode(std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(catalog.SortCode(), -256);
    catalog.SortByCode(257);
    EXPECT_EQ(catalog.SortCode(), 256);
    EXPECT_EQ(catalog.Count(), 3);
}

TEST(CatalogTest, NumericColumnsSortBothWays)
{
    // Each column holds the values in another order, none of them that of the entry numbers.
    const std::int64_t values[] = {30, -5, 7, 1000, 12};
    TCatalog catalog;
    for (int n = 0; n < 5; ++n) {
        auto entry = Entry("/d", "", "f");
        entry->FDupNo = values[n % 5];
        entry->FSize = values[(n + 1) % 5];
        entry->FAttributes = values[(n + 2) % 5];
        entry->FModified = values[(n + 3) % 5];
        entry->FAdded = values[(n + 4) % 5];
        catalog.Add(entry);
    }
    struct Row
    {
        std::uint8_t Column;
        Ints Ascending;
    };
    const Row rows[] = {{TCatalog::ByDupNo, {1, 2, 4, 0, 3}},
                        {TCatalog::BySize, {0, 1, 3, 4, 2}},
                        {TCatalog::ByAttributes, {4, 0, 2, 3, 1}},
                        {TCatalog::ByModified, {3, 4, 1, 2, 0}},
                        {TCatalog::ByAdded, {2, 3, 0, 1, 4}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.Column));
        catalog.SortBy(row.Column, true);
        EXPECT_EQ(Ids(catalog), row.Ascending);
        catalog.SortBy(row.Column, false);
        EXPECT_EQ(Ids(catalog), Ints(row.Ascending.rbegin(), row.Ascending.rend()));
    }
    catalog.SortBy(TCatalog::ByID, false);
    EXPECT_EQ(Ids(catalog), (Ints{4, 3, 2, 1, 0}));
}

TEST(CatalogTest, TextColumnsIgnoreCase)
{
    TCatalog catalog;
    catalog.Add(Entry("/d", "/B", "cherry"));
    catalog.Add(Entry("/d", "/a", "Banana"));
    catalog.Add(Entry("/d", "/C", "apple"));

    catalog.SortBy(TCatalog::ByFileName, true);
    EXPECT_EQ(Names(catalog), (Texts{"apple", "Banana", "cherry"}));
    catalog.SortBy(TCatalog::ByFileName, false);
    EXPECT_EQ(Names(catalog), (Texts{"cherry", "Banana", "apple"}));

    catalog.SortBy(TCatalog::ByRelativeFolder, true);
    EXPECT_EQ(Names(catalog), (Texts{"apple", "cherry", "Banana"}));
    catalog.SortBy(TCatalog::ByRelativeFolder, false);
    EXPECT_EQ(Names(catalog), (Texts{"Banana", "cherry", "apple"}));
}

TEST(CatalogTest, FullNamesSortInReverseWhenAscending)
{
    TCatalog catalog;
    catalog.Add(Entry("/data", "/b", "f"));
    catalog.Add(Entry("/data", "/a", "z"));
    catalog.Add(Entry("/Data", "/a", "y"));
    // Parts that cannot be joined must not break the sort.
    auto damaged = std::make_shared<TFileInfo>();
    damaged->FPath = TPathInfo::FromStored("|x|", "|b", "d", "");
    catalog.Add(damaged);

    catalog.SortBy(TCatalog::ByFullName, true);
    EXPECT_EQ(Names(catalog), (Texts{"d", "f", "z", "y"}));
    catalog.SortBy(TCatalog::ByFullName, false);
    EXPECT_EQ(Names(catalog), (Texts{"y", "z", "f", "d"}));
}

TEST(CatalogTest, FoldsAndCollatesCharactersBeyondAscii)
{
    const TLocaleScope locale("C.UTF-8");
    if (!locale.Active()) {
        GTEST_SKIP() << "locale C.UTF-8 is not installed";
    }
    TCatalog catalog;
    const std::string smallE = "\xC3\xA9";   // é
    const std::string capitalE = "\xC3\x89"; // É
    const std::string windowsE = "\xC9";     // É in Windows-1252: not UTF-8, read as U+00C9
    catalog.Add(Entry("/d", "", smallE + "a"));
    catalog.Add(Entry("/d", "", capitalE + "c"));
    catalog.Add(Entry("/d", "", windowsE + "b"));
    catalog.SortBy(TCatalog::ByFileName, true);
    EXPECT_EQ(Ids(catalog), (Ints{0, 2, 1}));
}

TEST(CatalogTest, RemovesByEntryNumber)
{
    TCatalog catalog;
    for (const char* name : {"c", "a", "d", "b"}) {
        catalog.Add(Entry("/d", "", name));
    }
    catalog.SortBy(TCatalog::ByFileName, true);
    ASSERT_EQ(Names(catalog), (Texts{"a", "b", "c", "d"}));

    const TCatalog::TEntry second = catalog.Item(1);
    catalog.Remove(*second);
    EXPECT_EQ(Names(catalog), (Texts{"a", "c", "d"}));
    // Not in the catalog any more: nothing happens.
    catalog.Remove(*second);
    TFileInfo stranger;
    stranger.FID = 99;
    catalog.Remove(stranger);
    EXPECT_EQ(catalog.Count(), 3);

    catalog.DeleteAt(2);
    EXPECT_EQ(Names(catalog), (Texts{"a", "c"}));
    EXPECT_THROW(catalog.DeleteAt(2), std::out_of_range);
    EXPECT_THROW(catalog.DeleteAt(-1), std::out_of_range);
    EXPECT_THROW(catalog.Item(2), std::out_of_range);
    EXPECT_EQ(catalog.Count(), 2);
    // Numbers are never given twice.
    catalog.Add(Entry("/d", "", "e"));
    EXPECT_EQ(catalog.Item(2)->FID, 4);
}

TEST(CatalogTest, AddingIntoASortedListMatchesAddingAllAtOnce)
{
    const Texts names = {"m", "B", "z", "a", "K", "c", "y", "b"};
    TCatalog oneByOne;
    oneByOne.SortBy(TCatalog::ByFileName, false);
    TCatalog atOnce;
    atOnce.SortBy(TCatalog::ByFileName, false);
    std::vector<TCatalog::TEntry> entries;
    for (const auto& name : names) {
        oneByOne.Add(Entry("/d", "", name));
        entries.push_back(Entry("/d", "", name));
    }
    atOnce.AddAll(entries);
    // "B" and "b" are equal to the sort and may stand either way round.
    const auto folded = [](Texts texts) {
        for (auto& text : texts) {
            text[0] = static_cast<char>(std::tolower(text[0]));
        }
        return texts;
    };
    const Texts expected = {"z", "y", "m", "k", "c", "b", "b", "a"};
    EXPECT_EQ(folded(Names(oneByOne)), expected);
    EXPECT_EQ(folded(Names(atOnce)), expected);
    EXPECT_EQ(atOnce.NextID(), 8);
    atOnce.SortByID();
    EXPECT_EQ(Names(atOnce), names) << "numbered in the order given";
}
