#pragma once
// The in-memory catalog: entries, groups, the view links and the counters of
// the current run, with the operations that keep entry and group identities
// dense.
#include <cstdint>
#include <string>

#include "catalog/cursor_list.h"

namespace qk {

using TypeCode = int32_t;

// One catalogued source file. Fields in their documented order.
struct CatalogEntry {
  std::string name;
  std::string location;
  TypeCode typeCode = 0;
  std::string description;
  int32_t modified = 0;
  int32_t lineCount = 0;
  std::string author;
  int32_t groupId = 0;
  int32_t entryIndex = 0;
};

struct CatalogGroup {
  std::string name;
  int32_t groupId = 0;
};

// A row of a view that shows an entry.
struct ViewLink {
  int32_t row = 0;
  int32_t entryIndex = 0;
};

// A folder found while the folder tree is built.
struct FolderNode {
  std::string name;
  int32_t depth = 0;
  std::string folderPath;
};

struct Catalog {
  CursorList<CatalogEntry> entries;
  CursorList<CatalogGroup> groups;
  CursorList<ViewLink> listLinks;
  CursorList<ViewLink> groupTreeLinks;
  CursorList<ViewLink> folderTreeLinks;
  int32_t nextEntryIndex = 0;
  int32_t selectedEntryIndex = -1;
  std::string baseDirectory;
  std::string pendingFilePath;
  int32_t autosaveOnExit = 0;
};

// Searches `entries` for the entry with this index; when found the cursor of
// `entries` stands on it and true is returned.
bool findEntry(Catalog& catalog, int32_t entryIndex);
// The same search on `groups` by groupId.
bool findGroup(Catalog& catalog, int32_t groupId);
// A new entry directly after the cursor of `entries`, with entryIndex =
// nextEntryIndex (which grows by one). The caller fills the other fields.
CatalogEntry& addEntry(Catalog& catalog);
// Numbers the entries 0, 1, 2, ... in list order; nextEntryIndex becomes
// their number.
void renumberEntries(Catalog& catalog);
// Appends a group with groupId = number of groups and this name.
CatalogGroup& addGroup(Catalog& catalog, const std::string& name);
// Numbers the groups 0, 1, 2, ... in list order (entries are not touched).
void renumberGroups(Catalog& catalog);
// Removes the group with this groupId: its entries get -1, the remaining
// groups are numbered afresh and every other entry follows its group (entries
// with -1 or a number that named no group keep their value). Returns false
// when no group has the id.
bool removeGroup(Catalog& catalog, int32_t groupId);

// Name order: bytes compared unsigned after folding A-Z to a-z only; a prefix
// sorts first. Returns <0, 0 or >0.
int compareNames(const std::string& a, const std::string& b);

// The in-place quicksort of the entry list by name / by entryIndex, with the
// exact pivot and partition steps of the program (not stable; equal keys end
// in the order these steps give). The cursor ends on the last position.
void sortEntriesByName(Catalog& catalog);
void sortEntriesByIndex(Catalog& catalog);

}  // namespace qk
