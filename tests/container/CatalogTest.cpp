#include "container/Catalog.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <stdexcept>

namespace {

using Ints = std::vector<std::int64_t>;
using Texts = std::vector<std::string>;

TCatalog::TEntry Entry(const std::string& name, const std::string& relative = "", const std::string& base = "/d")
{
    auto entry = std::make_shared<TFileInfo>();
    entry->FPath = TPathInfo(base, name, relative);
    return entry;
}

Ints Ids(const TCatalog& catalog)
{
    Ints ids;
    for (const auto& entry : catalog) {
        ids.push_back(entry->FID);
    }
    return ids;
}

Texts Names(const TCatalog& catalog)
{
    Texts names;
    for (const auto& entry : catalog) {
        names.push_back(entry->FPath.FileName());
    }
    return names;
}

// Sorts by the column both ways: descending must give the ascending order reversed.
void ExpectSorted(TCatalog& catalog, std::uint8_t column, const Texts& ascending)
{
    SCOPED_TRACE("column " + std::to_string(column));
    catalog.SortBy(column, true);
    EXPECT_EQ(Names(catalog), ascending);
    catalog.SortBy(column, false);
    EXPECT_EQ(Names(catalog), Texts(ascending.rbegin(), ascending.rend()));
}

} // namespace

TEST(CatalogTest, NumbersEntriesNewestFirstAndNeverTwice)
{
    TCatalog catalog;
    EXPECT_EQ(catalog.SortCode(), -1);
    for (const char* name : {"c", "a", "d", "b"}) {
        catalog.Add(Entry(name));
    }
    EXPECT_EQ(Ids(catalog), (Ints{3, 2, 1, 0}));
    EXPECT_EQ(Names(catalog), (Texts{"b", "d", "a", "c"}));
    catalog.SortByID();
    EXPECT_EQ(catalog.SortCode(), 1);
    catalog.Add(Entry("e"));
    EXPECT_EQ(Ids(catalog), (Ints{0, 1, 2, 3, 4})) << "new entries take the current order";
    EXPECT_THROW(catalog.Add(nullptr), std::invalid_argument);

    catalog.SortBy(TCatalog::ByFileName, true);
    const TCatalog::TEntry second = catalog.Item(1);
    catalog.Remove(*second);
    catalog.Remove(*second); // not in the catalog any more: nothing happens
    TFileInfo stranger;
    stranger.FID = 99;
    catalog.Remove(stranger);
    EXPECT_EQ(Names(catalog), (Texts{"a", "c", "d", "e"}));
    catalog.DeleteAt(2);
    EXPECT_EQ(Names(catalog), (Texts{"a", "c", "e"}));
    EXPECT_THROW(catalog.DeleteAt(3), std::out_of_range);
    EXPECT_THROW(catalog.DeleteAt(-1), std::out_of_range);
    EXPECT_THROW(catalog.Item(3), std::out_of_range);
    catalog.Add(Entry("f"));
    EXPECT_EQ(Ids(catalog), (Ints{1, 0, 4, 5})) << "numbers of removed entries are not given again";
}

TEST(CatalogTest, SortCodesSelectColumnAndDirection)
{
    TCatalog catalog;
    catalog.Add(Entry("Y", "", "/a"));
    catalog.Add(Entry("x", "", "/b"));
    catalog.Add(Entry("z", "", "/c"));

    catalog.SortByCode(3);
    EXPECT_EQ(catalog.SortColumn(), TCatalog::ByBaseFolder);
    EXPECT_TRUE(catalog.Ascending());
    EXPECT_EQ(Names(catalog), (Texts{"z", "x", "Y"})) << "folders list in reverse text order when ascending";

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

TEST(CatalogTest, EveryColumnSortsBothWaysAndTextIgnoresCase)
{
    // Each numeric column holds the values in another order, none of them that of the entry numbers.
    const std::int64_t values[] = {30, -5, 7, 1000, 12};
    TCatalog numbers;
    for (int n = 0; n < 5; ++n) {
        auto entry = Entry(std::to_string(n));
        entry->FDupNo = values[n % 5];
        entry->FSize = values[(n + 1) % 5];
        entry->FAttributes = values[(n + 2) % 5];
        entry->FModified = values[(n + 3) % 5];
        entry->FAdded = values[(n + 4) % 5];
        numbers.Add(entry);
    }
    ExpectSorted(numbers, TCatalog::ByDupNo, {"1", "2", "4", "0", "3"});
    ExpectSorted(numbers, TCatalog::BySize, {"0", "1", "3", "4", "2"});
    ExpectSorted(numbers, TCatalog::ByAttributes, {"4", "0", "2", "3", "1"});
    ExpectSorted(numbers, TCatalog::ByModified, {"3", "4", "1", "2", "0"});
    ExpectSorted(numbers, TCatalog::ByAdded, {"2", "3", "0", "1", "4"});
    ExpectSorted(numbers, TCatalog::ByID, {"0", "1", "2", "3", "4"});

    TCatalog texts;
    texts.Add(Entry("cherry", "/B"));
    texts.Add(Entry("Banana", "/a"));
    texts.Add(Entry("apple", "/C"));
    ExpectSorted(texts, TCatalog::ByFileName, {"apple", "Banana", "cherry"});
    ExpectSorted(texts, TCatalog::ByRelativeFolder, {"apple", "cherry", "Banana"});

    // Full names list in reverse when ascending; parts that cannot be joined must not break the sort.
    TCatalog full;
    full.Add(Entry("f", "/b", "/data"));
    full.Add(Entry("z", "/a", "/data"));
    full.Add(Entry("y", "/a", "/Data"));
    auto damaged = std::make_shared<TFileInfo>();
    damaged->FPath = TPathInfo::FromStored("|x|", "|b", "d", "");
    full.Add(damaged);
    ExpectSorted(full, TCatalog::ByFullName, {"d", "f", "z", "y"});
}

TEST(CatalogTest, FoldsAndCollatesCharactersBeyondAscii)
{
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "C.UTF-8") == nullptr) {
        GTEST_SKIP() << "locale C.UTF-8 is not installed";
    }
    TCatalog catalog;
    catalog.Add(Entry("\xC3\xA9"
                      "a")); // é
    catalog.Add(Entry("\xC3\x89"
                      "c")); // É
    catalog.Add(Entry("\xC9"
                      "b")); // É in Windows-1252: not UTF-8, read as U+00C9
    catalog.SortBy(TCatalog::ByFileName, true);
    EXPECT_EQ(Ids(catalog), (Ints{0, 2, 1}));
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(CatalogTest, AddingIntoASortedListMatchesAddingAllAtOnce)
{
    const Texts names = {"m", "B", "z", "a", "K", "c", "y", "b"};
    TCatalog oneByOne, atOnce;
    oneByOne.SortBy(TCatalog::ByFileName, false);
    atOnce.SortBy(TCatalog::ByFileName, false);
    std::vector<TCatalog::TEntry> entries;
    for (const auto& name : names) {
        oneByOne.Add(Entry(name));
        entries.push_back(Entry(name));
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
