#include "catalog/catalog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace qk {
namespace {

Catalog catalogWithNames(const std::vector<std::string>& names) {
  Catalog catalog;
  for (const std::string& name : names) addEntry(catalog).name = name;
  return catalog;
}

std::vector<std::string> entryNames(const Catalog& catalog) {
  std::vector<std::string> names;
  for (const CatalogEntry& entry : catalog.entries.elements()) names.push_back(entry.name);
  return names;
}

std::vector<int32_t> entryIndices(const Catalog& catalog) {
  std::vector<int32_t> indices;
  for (const CatalogEntry& entry : catalog.entries.elements()) indices.push_back(entry.entryIndex);
  return indices;
}

int sign(int value) { return (value > 0) - (value < 0); }

TEST(CompareNames, FoldsOnlyAToZAndComparesBytesUnsigned) {
  struct Case {
    const char* a;
    const char* b;
    int expected;
  };
  const Case cases[] = {
      {"abc", "ABC", 0},
      {"Abc", "abd", -1},
      {"ab", "abc", -1},
      {"", "", 0},
      {"", "a", -1},
      {"9", "A", -1},
      {"_tmp", "alpha", -1},
      {"[", "a", -1},
      {"`", "A", -1},
      {"zeta", "\xC4pfel", -1},
      {"\xC4pfel", "\xE4pfel", -1},
      {"\xFF", "\x7F", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
    EXPECT_EQ(sign(compareNames(c.a, c.b)), c.expected);
    EXPECT_EQ(sign(compareNames(c.b, c.a)), -c.expected);
  }
}

TEST(SortEntriesByName, GivesTheOrderOfThePivotAndPartitionSteps) {
  struct Case {
    std::vector<std::string> before;
    std::vector<std::string> after;
  };
  const Case cases[] = {
      {{"beta", "Alpha", "_tmp", "Zeta", "\xC4pfel", "10", "9"},
       {"10", "9", "_tmp", "Alpha", "beta", "Zeta", "\xC4pfel"}},
      {{"\xE4pfel", "\xC4pfel"}, {"\xC4pfel", "\xE4pfel"}},
      // Equal keys: the steps decide, nothing else.
      {{"abc", "ABC"}, {"ABC", "abc"}},
      {{"ABC", "abc"}, {"abc", "ABC"}},
      {{"Abc", "abc", "ABC"}, {"abc", "ABC", "Abc"}},
      {{"B", "a", "A", "b"}, {"A", "a", "b", "B"}},
      {{}, {}},
      {{"one"}, {"one"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.before));
    Catalog catalog = catalogWithNames(c.before);
    sortEntriesByName(catalog);
    EXPECT_EQ(entryNames(catalog), c.after);
  }
}

TEST(SortEntriesByName, SwapsAbcAndABCAtEverySort) {
  Catalog catalog = catalogWithNames({"abc", "ABC"});
  sortEntriesByName(catalog);
  EXPECT_EQ(entryNames(catalog), (std::vector<std::string>{"ABC", "abc"}));
  sortEntriesByName(catalog);
  EXPECT_EQ(entryNames(catalog), (std::vector<std::string>{"abc", "ABC"}));
}

TEST(SortEntriesByName, LeavesTheCursorOnTheLastPosition) {
  Catalog catalog = catalogWithNames({"b", "c", "a"});
  catalog.entries.resetCursor();
  sortEntriesByName(catalog);
  ASSERT_NE(catalog.entries.currentElement(), nullptr);
  EXPECT_EQ(catalog.entries.currentElement()->name, "c");
  EXPECT_EQ(catalog.entries.nextElement(), nullptr);

  Catalog empty;
  sortEntriesByName(empty);
  EXPECT_EQ(empty.entries.currentElement(), nullptr);
}

TEST(SortEntriesByName, OrdersLargeListsOfAnyShape) {
  std::mt19937 random(7);
  std::vector<std::string> shuffled;
  for (int k = 0; k < 5000; ++k) {
    std::string name;
    for (int length = static_cast<int>(random() % 4); length >= 0; --length) {
      name.push_back("aAbB_9\xE4"[random() % 7]);
    }
    shuffled.push_back(name);
  }
  std::vector<std::string> ascending = shuffled;
  std::sort(ascending.begin(), ascending.end(),
            [](const std::string& a, const std::string& b) { return compareNames(a, b) < 0; });
  std::vector<std::string> descending(ascending.rbegin(), ascending.rend());
  std::vector<std::string> allEqual(5000, "same");

  for (const std::vector<std::string>* names : {&shuffled, &ascending, &descending, &allEqual}) {
    Catalog catalog = catalogWithNames(*names);
    sortEntriesByName(catalog);
    std::vector<std::string> sorted = entryNames(catalog);
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(),
                               [](auto& a, auto& b) { return compareNames(a, b) < 0; }));
    std::vector<std::string> expected = *names;
    std::sort(expected.begin(), expected.end());
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, expected);  // the same records, only moved
  }
}

TEST(SortEntriesByIndex, OrdersBySignedIndexWithTheSameSteps) {
  Catalog catalog;
  const std::pair<const char*, int32_t> records[] = {{"x", 1}, {"y", 0}, {"z", 1}};
  for (const auto& [name, index] : records) {
    CatalogEntry& entry = catalog.entries.insertAfterCursor();
    entry.name = name;
    entry.entryIndex = index;
  }
  sortEntriesByIndex(catalog);
  EXPECT_EQ(entryNames(catalog), (std::vector<std::string>{"y", "z", "x"}));

  Catalog mixed;
  for (int32_t index : {2, -5, 0, 1}) mixed.entries.insertAfterCursor().entryIndex = index;
  sortEntriesByIndex(mixed);
  EXPECT_EQ(entryIndices(mixed), (std::vector<int32_t>{-5, 0, 1, 2}));
}

TEST(CatalogEntries, RenumberAfterRemovalKeepsIndicesDense) {
  Catalog catalog = catalogWithNames({"a", "b", "c"});
  ASSERT_TRUE(findEntry(catalog, 1));
  catalog.entries.removeAtCursor();
  renumberEntries(catalog);
  EXPECT_EQ(entryIndices(catalog), (std::vector<int32_t>{0, 1}));
  EXPECT_EQ(catalog.nextEntryIndex, 2);
  EXPECT_EQ(addEntry(catalog).entryIndex, 2);
  EXPECT_EQ(catalog.nextEntryIndex, 3);
}

TEST(CatalogEntries, RemovingTheOnlyEntryLeavesNextIndexZero) {
  Catalog catalog = catalogWithNames({"a"});
  ASSERT_TRUE(findEntry(catalog, 0));
  catalog.entries.removeAtCursor();
  renumberEntries(catalog);
  EXPECT_EQ(catalog.entries.countElements(), 0);
  EXPECT_EQ(catalog.nextEntryIndex, 0);
}

TEST(CatalogEntries, FindEntryLeavesCursorOnTheMatchSoAddEntryFollowsIt) {
  Catalog catalog = catalogWithNames({"a", "x", "c"});
  EXPECT_FALSE(findEntry(catalog, 7));
  ASSERT_TRUE(findEntry(catalog, 1));
  EXPECT_EQ(catalog.entries.currentElement()->name, "x");
  addEntry(catalog).name = "b";
  EXPECT_EQ(entryNames(catalog), (std::vector<std::string>{"a", "x", "b", "c"}));
  sortEntriesByName(catalog);
  EXPECT_EQ(entryNames(catalog), (std::vector<std::string>{"a", "b", "c", "x"}));
}

TEST(CatalogGroups, AddGroupAppendsWithTheNextNumberWhereverTheCursorStands) {
  Catalog catalog;
  EXPECT_EQ(addGroup(catalog, "Tools").groupId, 0);
  EXPECT_EQ(addGroup(catalog, "Web").groupId, 1);
  ASSERT_TRUE(findGroup(catalog, 0));
  EXPECT_FALSE(findGroup(catalog, 2));
  catalog.groups.resetCursor();
  const CatalogGroup& added = addGroup(catalog, "Spiele");
  EXPECT_EQ(added.groupId, 2);
  EXPECT_EQ(catalog.groups.elements().back().name, "Spiele");
}

TEST(CatalogGroups, RemoveGroupDetachesItsEntriesAndTheOthersFollowTheirGroup) {
  Catalog catalog;
  for (const char* name : {"A", "B", "C"}) addGroup(catalog, name);
  const std::pair<const char*, int32_t> members[] = {
      {"x", 0}, {"y", 1}, {"z", 2}, {"w", -1}, {"stray", 7}};
  for (const auto& [name, groupId] : members) {
    CatalogEntry& entry = addEntry(catalog);
    entry.name = name;
    entry.groupId = groupId;
  }

  ASSERT_TRUE(removeGroup(catalog, 1));

  std::vector<std::pair<std::string, int32_t>> groups;
  for (const CatalogGroup& group : catalog.groups.elements())
    groups.push_back({group.name, group.groupId});
  EXPECT_EQ(groups, (std::vector<std::pair<std::string, int32_t>>{{"A", 0}, {"C", 1}}));
  std::vector<int32_t> groupIds;
  for (const CatalogEntry& entry : catalog.entries.elements()) groupIds.push_back(entry.groupId);
  EXPECT_EQ(groupIds, (std::vector<int32_t>{0, -1, 1, -1, 7}));
  EXPECT_EQ(addGroup(catalog, "D").groupId, 2);
}

TEST(CatalogGroups, RemovingTheOnlyGroupDetachesItsEntries) {
  Catalog catalog;
  addGroup(catalog, "A");
  addEntry(catalog).groupId = 0;
  EXPECT_FALSE(removeGroup(catalog, 3));
  EXPECT_EQ(catalog.groups.countElements(), 1);
  ASSERT_TRUE(removeGroup(catalog, 0));
  EXPECT_EQ(catalog.groups.countElements(), 0);
  EXPECT_EQ(catalog.entries.elements().front().groupId, -1);
}

}  // namespace
}  // namespace qk
