#include "container/Catalog.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

namespace {

using Texts = std::vector<std::string>;

TCatalog::TEntry Entry(const std::string& name, const std::string& relative = "", const std::string& base = "/d")
{
    auto entry = std::make_shared<TFileInfo>();
    entry->FPath = TPathInfo(base, name, relative);
    return entry;
}

// The entries in the catalog's order, by name or by number.
Texts Order(const TCatalog& catalog, bool numbers = false)
{
    Texts order;
    for (const auto& entry : catalog) {
        order.push_back(numbers ? std::to_string(entry->FID) : entry->FPath.FileName());
    }
    return order;
}

// Sorts by the column both ways: descending must give the ascending order reversed.
void ExpectSorted(TCatalog& catalog, std::uint8_t column, const Texts& ascending)
{
    SCOPED_TRACE("column " + std::to_string(column));
    catalog.SortBy(column, true);
    EXPECT_EQ(Order(catalog), ascending);
    catalog.SortBy(column, false);
    EXPECT_EQ(Order(catalog), Texts(ascending.rbegin(), ascending.rend()));
}

} // namespace

TEST(CatalogTest, NumbersEntriesNewestFirstNeverTwiceAndKeepsTheOrder)
{
    TCatalog catalog;
    EXPECT_EQ(catalog.SortCode(), -1);
    for (const char* name : {"c", "a", "d", "b"}) {
        catalog.Add(Entry(name));
    }
    EXPECT_EQ(Order(catalog, true), (Texts{"3", "2", "1", "0"}));
    EXPECT_EQ(Order(catalog), (Texts{"b", "d", "a", "c"}));
    catalog.SortByID();
    EXPECT_EQ(catalog.SortCode(), 1);
    catalog.Add(Entry("e"));
    EXPECT_EQ(Order(catalog, true), (Texts{"0", "1", "2", "3", "4"})) << "new entries take the current order";
    EXPECT_THROW(catalog.Add(nullptr), std::invalid_argument);

    catalog.SortBy(TCatalog::ByFileName, true);
    const TCatalog::TEntry second = catalog.Item(1);
    catalog.Remove(*second);
    catalog.Remove(*second); // not in the catalog any more: nothing happens
    EXPECT_EQ(Order(catalog), (Texts{"a", "c", "d", "e"}));
    catalog.DeleteAt(2);
    EXPECT_EQ(Order(catalog), (Texts{"a", "c", "e"}));
    EXPECT_THROW(catalog.DeleteAt(3), std::out_of_range);
    EXPECT_THROW(catalog.DeleteAt(-1), std::out_of_range);
    EXPECT_THROW(catalog.Item(3), std::out_of_range);
    catalog.Add(Entry("f"));
    EXPECT_EQ(Order(catalog, true), (Texts{"1", "0", "4", "5"})) << "numbers of removed entries are not given again";
}

TEST(CatalogTest, EveryColumnSortsBothWaysBySortCodeTooAndTextIgnoresCase)
{
    // Each numeric column holds the values in another order, none of them that of the entry numbers.
    const std::int64_t values[] = {30, -5, 7, 1000, 12};
    TCatalog numbers;
    for (int n = 0; n < 5; ++n) {
        auto entry = Entry(std::to_string(n));
        std::int64_t* fields[] = {&entry->FDupNo, &entry->FSize, &entry->FAttributes, &entry->FModified,
                                  &entry->FAdded};
        for (int field = 0; field < 5; ++field) {
            *fields[field] = values[(n + field) % 5];
        }
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

    TCatalog catalog;
    catalog.Add(Entry("Y", "", "/a"));
    catalog.Add(Entry("x", "", "/b"));
    catalog.Add(Entry("z", "", "/c"));
    catalog.SortByCode(3);
    EXPECT_EQ(Order(catalog), (Texts{"z", "x", "Y"})) << "folders list in reverse text order when ascending";
    catalog.SortByCode(-2);
    EXPECT_EQ(Order(catalog), (Texts{"z", "Y", "x"}));
    catalog.SortByCode(0);
    EXPECT_EQ(std::tuple(catalog.SortCode(), Order(catalog)), std::tuple(-2, Texts{"z", "Y", "x"}))
        << "0 keeps the order";
    const auto storedAfter = [&catalog](std::int64_t code) {
        catalog.SortByCode(code);
        return catalog.SortCode();
    };
    EXPECT_EQ(std::tuple(storedAfter(std::numeric_limits<std::int64_t>::min()), storedAfter(257), catalog.Count()),
              std::tuple(-256, 256, 3));
}
