#include "catalog/catalog.h"

#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace qk {

namespace {

template <typename T, typename Matches>
bool findElement(CursorList<T>& list, Matches matches) {
  list.resetCursor();
  while (T* element = list.nextElement()) {
    if (matches(*element)) return true;
  }
  return false;
}

// Old groupId of every group (the first group wins when two share one) to its
// position in the list, which is its number after renumberGroups.
std::unordered_map<int32_t, int32_t> newGroupNumbers(const CursorList<CatalogGroup>& groups) {
  std::unordered_map<int32_t, int32_t> numbers;
  int32_t position = 0;
  for (const CatalogGroup& group : groups.elements()) numbers.emplace(group.groupId, position++);
  return numbers;
}

// One record of the entry list as the sort sees it: its key and where the
// record stood before the sort.
template <typename K>
struct SortItem {
  K key;
  size_t position;
};

// The quicksort of the entry list: pivot chosen among lo, mid and hi, a
// partition that moves i up and j down around the pivot's key, then the two
// halves lo..j and j+1..hi. The halves are disjoint, so the order in which
// they are sorted does not change the result; the smaller one is sorted by
// recursion and the larger one by the loop, which bounds the stack depth.
template <typename K, typename Less>
void quickSort(std::vector<SortItem<K>>& items, long lo, long hi, Less less) {
  auto key = [&](long k) -> const K& { return items[static_cast<size_t>(k)].key; };
  auto exchange = [&](long a, long b) {
    std::swap(items[static_cast<size_t>(a)], items[static_cast<size_t>(b)]);
  };
  while (hi - lo > 0) {
    const long mid = lo + (hi - lo) / 2;
    auto lessOrEqual = [&](long a, long b) { return !less(key(b), key(a)); };
    long pivot = mid;
    if (lessOrEqual(lo, hi) && lessOrEqual(mid, lo)) {
      pivot = lo;
    } else if (lessOrEqual(lo, hi) && lessOrEqual(hi, mid)) {
      pivot = hi;
    }
    if (pivot != lo) exchange(pivot, lo);
    const K v = key(lo);

    long i = lo - 1;
    long j = hi + 1;
    for (;;) {
      do --j;
      while (less(v, key(j)));
      do ++i;
      while (less(key(i), v));
      if (i >= j) break;
      exchange(i, j);
    }

    if (j - lo < hi - j) {
      quickSort(items, lo, j, less);
      lo = j + 1;
    } else {
      quickSort(items, j + 1, hi, less);
      hi = j;
    }
  }
}

// Moves every record to the place the sort gave its item, following each
// cycle of the permutation, so no second list is needed.
template <typename K>
void placeInOrder(std::vector<CatalogEntry>& records, std::vector<SortItem<K>>& items) {
  for (size_t start = 0; start < items.size(); ++start) {
    if (items[start].position == start) continue;
    CatalogEntry held = std::move(records[start]);
    size_t target = start;
    while (items[target].position != start) {
      const size_t source = items[target].position;
      records[target] = std::move(records[source]);
      items[target].position = target;
      target = source;
    }
    records[target] = std::move(held);
    items[target].position = target;
  }
}

// Runs the steps on small items instead of whole records and then moves
// each record once to its place: the same exchanges, so the same order,
// equal keys included.
template <typename KeyOf, typename Less>
void sortEntries(Catalog& catalog, KeyOf keyOf, Less less) {
  std::vector<CatalogEntry>& records = catalog.entries.elements();
  using K = decltype(keyOf(records.front()));
  std::vector<SortItem<K>> items;
  items.reserve(records.size());
  for (size_t k = 0; k < records.size(); ++k) items.push_back({keyOf(records[k]), k});
  quickSort(items, 0, static_cast<long>(items.size()) - 1, less);

  placeInOrder(records, items);
  catalog.entries.placeCursor(static_cast<long>(records.size()) - 1);
}

int compareNameBytes(std::string_view a, std::string_view b) {
  auto fold = [](char c) {
    unsigned char byte = static_cast<unsigned char>(c);
    return byte >= 0x41 && byte <= 0x5A ? byte + 0x20 : static_cast<int>(byte);
  };
  const size_t common = a.size() < b.size() ? a.size() : b.size();
  for (size_t k = 0; k < common; ++k) {
    const int difference = fold(a[k]) - fold(b[k]);
    if (difference != 0) return difference;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

}  // namespace

bool findEntry(Catalog& catalog, int32_t entryIndex) {
  return findElement(catalog.entries,
                     [&](const CatalogEntry& entry) { return entry.entryIndex == entryIndex; });
}

bool findGroup(Catalog& catalog, int32_t groupId) {
  return findElement(catalog.groups,
                     [&](const CatalogGroup& group) { return group.groupId == groupId; });
}

CatalogEntry& addEntry(Catalog& catalog) {
  CatalogEntry& entry = catalog.entries.insertAfterCursor();
  entry.entryIndex = catalog.nextEntryIndex++;
  return entry;
}

void renumberEntries(Catalog& catalog) {
  catalog.nextEntryIndex = 0;
  catalog.entries.resetCursor();
  while (CatalogEntry* entry = catalog.entries.nextElement()) {
    entry->entryIndex = catalog.nextEntryIndex++;
  }
}

CatalogGroup& addGroup(Catalog& catalog, const std::string& name) {
  int32_t count = 0;
  catalog.groups.resetCursor();
  while (catalog.groups.nextElement()) ++count;
  CatalogGroup& group = catalog.groups.insertAfterCursor();
  group.groupId = count;
  group.name = name;
  return group;
}

void renumberGroups(Catalog& catalog) {
  int32_t number = 0;
  catalog.groups.resetCursor();
  while (CatalogGroup* group = catalog.groups.nextElement()) group->groupId = number++;
}

bool removeGroup(Catalog& catalog, int32_t groupId) {
  if (!findGroup(catalog, groupId)) return false;
  catalog.groups.removeAtCursor();
  for (CatalogEntry& entry : catalog.entries.elements()) {
    if (entry.groupId == groupId) entry.groupId = -1;
  }
  const std::unordered_map<int32_t, int32_t> numbers = newGroupNumbers(catalog.groups);
  renumberGroups(catalog);
  for (CatalogEntry& entry : catalog.entries.elements()) {
    auto found = numbers.find(entry.groupId);
    if (entry.groupId != -1 && found != numbers.end()) entry.groupId = found->second;
  }
  return true;
}

int compareNames(const std::string& a, const std::string& b) { return compareNameBytes(a, b); }

void sortEntriesByName(Catalog& catalog) {
  sortEntries(
      catalog, [](const CatalogEntry& entry) { return std::string_view(entry.name); },
      [](std::string_view a, std::string_view b) { return compareNameBytes(a, b) < 0; });
}

void sortEntriesByIndex(Catalog& catalog) {
  sortEntries(
      catalog, [](const CatalogEntry& entry) { return entry.entryIndex; },
      [](int32_t a, int32_t b) { return a < b; });
}

}  // namespace qk
