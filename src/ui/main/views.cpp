#include "ui/main/views.h"

#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "sources/catalog_paths.h"
#include "ui/main/details.h"
#include "ui/main/ids.h"

namespace qk {

namespace {

const char kUngroupedNodeText[] = "Ungruppiert";
const char kRootNodeText[] = "root";
const std::string_view kWorkingDirectoryFolder = ".\\";

// Appends rows to one view and counts them, so that every appended item
// knows its row number.
class ViewFiller {
 public:
  ViewFiller(Gui& gui, int control, CursorList<ViewLink>& links, int expectedRows)
      : gui_(gui), control_(control), links_(links) {
    gui_.beginRows(control_, expectedRows);
  }
  ~ViewFiller() { gui_.endRows(control_); }
  ViewFiller(const ViewFiller&) = delete;
  ViewFiller& operator=(const ViewFiller&) = delete;

  void listRow(const CatalogEntry& entry) {
    gui_.insertRow(control_, row_, entry.name);
    link(entry);
  }
  void node(const std::string& text, int image, int level) {
    gui_.appendTreeItem(control_, text, image, level);
    ++row_;
  }
  void entryItem(const CatalogEntry& entry, int level) {
    gui_.appendTreeItem(control_, entry.name, kImageDocument, level);
    link(entry);
  }

 private:
  void link(const CatalogEntry& entry) {
    links_.elements().push_back(ViewLink{row_, entry.entryIndex});
    ++row_;
  }
  Gui& gui_;
  int control_;
  CursorList<ViewLink>& links_;
  int32_t row_ = 0;
};

void clearViews(Program& program) {
  for (int control : {kNameList, kGroupTree, kFolderTree}) program.gui.clearRows(control);
  program.catalog.listLinks.clearAll();
  program.catalog.groupTreeLinks.clearAll();
  program.catalog.folderTreeLinks.clearAll();
}

void fillNameList(Program& program) {
  const std::vector<CatalogEntry>& entries = program.catalog.entries.elements();
  ViewFiller list(program.gui, kNameList, program.catalog.listLinks,
                  static_cast<int>(entries.size()));
  for (const CatalogEntry& entry : entries) list.listRow(entry);
}

// The groups in list order, each followed by its entries, then the entries
// without a group. The entries are bucketed by groupId once, in name order.
void fillGroupTree(Program& program) {
  const std::vector<CatalogEntry>& entries = program.catalog.entries.elements();
  const std::vector<CatalogGroup>& groups = program.catalog.groups.elements();
  std::unordered_map<int32_t, std::vector<const CatalogEntry*>> byGroup;
  for (const CatalogEntry& entry : entries) byGroup[entry.groupId].push_back(&entry);
  auto entriesOf = [&byGroup](int32_t groupId) -> const std::vector<const CatalogEntry*>& {
    static const std::vector<const CatalogEntry*> kNone;
    auto found = byGroup.find(groupId);
    return found == byGroup.end() ? kNone : found->second;
  };

  ViewFiller tree(program.gui, kGroupTree, program.catalog.groupTreeLinks,
                  static_cast<int>(groups.size() + entries.size() + 1));
  for (const CatalogGroup& group : groups) {
    tree.node(group.name, kImageFolder, 0);
    for (const CatalogEntry* entry : entriesOf(group.groupId)) tree.entryItem(*entry, 1);
  }
  const int ungroupedLevel = program.options.opt_ungroupnode;
  bool ungroupedNodeAppended = false;
  for (const CatalogEntry* entry : entriesOf(-1)) {
    if (ungroupedLevel == 1 && !ungroupedNodeAppended) {
      tree.node(kUngroupedNodeText, kImageBox, 0);
      ungroupedNodeAppended = true;
    }
    tree.entryItem(*entry, ungroupedLevel);
  }
}

// The pieces of a text between its backslashes; "" gives one empty piece.
void splitSegments(std::string_view text, std::vector<std::string_view>& out) {
  size_t start = 0;
  for (;;) {
    size_t end = text.find('\\', start);
    if (end == std::string_view::npos) {
      out.push_back(text.substr(start));
      return;
    }
    out.push_back(text.substr(start, end - start));
    start = end + 1;
  }
}

// A folder path without its last segment: the segments before the first
// empty one, all but the last of them, each followed by a backslash. Empty
// when fewer than two such segments are left.
std::string_view shortenByLastSegment(std::string_view path) {
  size_t start = 0;
  size_t lastStart = 0;
  int count = 0;
  for (;;) {
    size_t end = path.find('\\', start);
    size_t segmentEnd = end == std::string_view::npos ? path.size() : end;
    if (segmentEnd == start) break;
    ++count;
    lastStart = start;
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return count <= 1 ? std::string_view() : path.substr(0, lastStart);
}

// The folder part of a location (up to and including its last "\\" or
// "/", empty when it has none), as a view into the location.
std::string_view folderPartOf(const std::string& location) {
  for (size_t end = location.size(); end > 0; --end) {
    const char c = location[end - 1];
    if (c == '\\' || c == '/') return std::string_view(location.data(), end);
  }
  return {};
}

// A folder found in the stored locations. The texts are views into the
// entries' locations (or into extra storage for a full path that is part of
// no location), which live for the whole build.
struct FoundFolder {
  std::string_view name;
  int32_t depth = 0;
  std::string_view folderPath;  // the path of the folder that contains it
  std::string_view fullPath;    // folderPath + name + "\"
};

// The folder tree below "root", built in time linear in the number of
// entries and the total length of their distinct folder parts. Entries are
// bucketed by folder part once; the folders are discovered from the
// distinct folder parts in the order of their first entry, which finds
// every folder in the same order as a walk over all entries would, since
// the first entry that lies in or below a folder is the first entry of one
// of those folder parts. Folders are recorded through a hash set, and the
// subfolders of a path are found through a hash map.
class FolderTreeBuild {
 public:
  explicit FolderTreeBuild(const std::vector<CatalogEntry>& entries) {
    bucketByFolderPart(entries);
    discoverFolders();
  }

  void emit(ViewFiller& tree) {
    indexSubfolders();
    std::vector<bool> emitted(folders_.size(), false);
    size_t firstLeft = 0;
    for (;;) {
      while (firstLeft < folders_.size() && emitted[firstLeft]) ++firstLeft;
      if (firstLeft == folders_.size()) break;
      size_t current = firstLeft;
      for (;;) {
        emitFolder(tree, folders_[current]);
        emitted[current] = true;
        long next = nextFolderAfter(folders_[current].fullPath, emitted);
        if (next < 0) break;
        current = static_cast<size_t>(next);
      }
    }
    emitEntriesOf(tree, kWorkingDirectoryFolder, 1);
  }

 private:
  struct FolderPart {
    std::string_view path;
    std::vector<const CatalogEntry*> entries;  // in name order
  };

  void bucketByFolderPart(const std::vector<CatalogEntry>& entries) {
    for (const CatalogEntry& entry : entries) {
      const std::string_view path = folderPartOf(entry.location);
      auto [found, added] = partIndex_.emplace(path, parts_.size());
      if (added) parts_.push_back(FolderPart{path, {}});
      parts_[found->second].entries.push_back(&entry);
    }
  }

  // Depth by depth from 2: a segment that is neither empty nor "." names a
  // folder, recorded the first time it is seen; the search goes one depth
  // deeper while any folder part has a non-empty segment at the current one.
  void discoverFolders() {
    struct Named {
      size_t part;
      std::string_view name;
    };
    std::vector<std::vector<Named>> namedAtDepth;  // the non-empty segments d of the parts
    std::vector<std::string_view> segments;
    for (size_t p = 0; p < parts_.size(); ++p) {
      segments.clear();
      splitSegments(parts_[p].path, segments);
      for (size_t depth = 2; depth <= segments.size(); ++depth) {
        if (segments[depth - 1].empty()) continue;
        if (namedAtDepth.size() <= depth) namedAtDepth.resize(depth + 1);
        namedAtDepth[depth].push_back(Named{p, segments[depth - 1]});
      }
    }
    std::unordered_set<std::string_view> known;
    for (size_t depth = 2; depth < namedAtDepth.size() && !namedAtDepth[depth].empty(); ++depth) {
      for (const Named& named : namedAtDepth[depth]) {
        if (named.name == ".") continue;
        FoundFolder folder =
            folderAt(parts_[named.part].path, named.name, static_cast<int32_t>(depth));
        if (known.insert(folder.fullPath).second) folders_.push_back(folder);
      }
    }
  }

  FoundFolder folderAt(std::string_view part, std::string_view name, int32_t depth) {
    const size_t nameStart = static_cast<size_t>(name.data() - part.data());
    const size_t nameEnd = nameStart + name.size();
    FoundFolder found;
    found.name = name;
    found.depth = depth;
    found.folderPath = part.substr(0, nameStart);
    if (nameEnd < part.size()) {
      found.fullPath = part.substr(0, nameEnd + 1);  // the name is followed by a backslash
    } else {
      // The last piece of a folder part that ends with "/": its full path
      // is part of no location and is made here.
      extraPaths_.push_back(std::string(part.substr(0, nameEnd)) + "\\");
      found.fullPath = extraPaths_.back();
    }
    return found;
  }

  void indexSubfolders() {
    for (size_t f = 0; f < folders_.size(); ++f)
      subfolders_[folders_[f].folderPath].indices.push_back(f);
  }

  void emitFolder(ViewFiller& tree, const FoundFolder& folder) {
    tree.node(std::string(folder.name), kImageFolder, folder.depth - 1);
    emitEntriesOf(tree, folder.fullPath, folder.depth);
  }

  void emitEntriesOf(ViewFiller& tree, std::string_view folder, int level) {
    auto found = partIndex_.find(folder);
    if (found == partIndex_.end()) return;
    for (const CatalogEntry* entry : parts_[found->second].entries) tree.entryItem(*entry, level);
  }

  // After a folder: its first subfolder left, else the first folder left
  // beside it or beside one of its ancestors; -1 when the path runs out.
  long nextFolderAfter(std::string_view path, const std::vector<bool>& emitted) {
    while (!path.empty()) {
      long child = firstFolderLeftIn(path, emitted);
      if (child >= 0) return child;
      path = shortenByLastSegment(path);
    }
    return -1;
  }

  long firstFolderLeftIn(std::string_view path, const std::vector<bool>& emitted) {
    auto found = subfolders_.find(path);
    if (found == subfolders_.end()) return -1;
    Subfolders& list = found->second;
    while (list.head < list.indices.size() && emitted[list.indices[list.head]]) ++list.head;
    return list.head < list.indices.size() ? static_cast<long>(list.indices[list.head]) : -1;
  }

  struct Subfolders {
    std::vector<size_t> indices;  // in the order the folders were found
    size_t head = 0;              // those before it are emitted
  };

  std::vector<FolderPart> parts_;  // in the order of their first entry
  std::unordered_map<std::string_view, size_t> partIndex_;
  std::deque<std::string> extraPaths_;
  std::vector<FoundFolder> folders_;
  std::unordered_map<std::string_view, Subfolders> subfolders_;
};

void fillFolderTree(Program& program) {
  const std::vector<CatalogEntry>& entries = program.catalog.entries.elements();
  FolderTreeBuild build(entries);
  ViewFiller tree(program.gui, kFolderTree, program.catalog.folderTreeLinks,
                  static_cast<int>(entries.size() + 1));
  tree.node(kRootNodeText, kImageBox, 0);
  build.emit(tree);
}

// The entry of the first link with this row; false when none has it.
bool entryOfRow(const CursorList<ViewLink>& links, int row, int32_t& entryIndex) {
  for (const ViewLink& link : links.elements()) {
    if (link.row == row) {
      entryIndex = link.entryIndex;
      return true;
    }
  }
  return false;
}

void selectLinkedRow(Gui& gui, int control, const CursorList<ViewLink>& links, int32_t entryIndex) {
  for (const ViewLink& link : links.elements()) {
    if (link.entryIndex == entryIndex) {
      gui.selectRow(control, link.row);
      return;
    }
  }
}

void handleNameListEvent(Program& program, int type) {
  if (type != kListSelectionChanged && type != kListDoubleClick) return;
  int row = program.gui.selectedRow(kNameList);
  if (row == -1) return;
  Catalog& catalog = program.catalog;
  entryOfRow(catalog.listLinks, row, catalog.selectedEntryIndex);
  showEntryDetails(program, catalog.selectedEntryIndex);
  if (type == kListDoubleClick) openEntryFile(program.system, catalog, catalog.selectedEntryIndex);
}

// Chooses the entry of a tree's selected row. False when the row shows no
// entry (or none is selected).
bool chooseTreeEntry(Program& program, int control, const CursorList<ViewLink>& links) {
  int row = program.gui.selectedRow(control);
  if (row == -1) return false;
  int32_t entryIndex = -1;
  if (!entryOfRow(links, row, entryIndex)) return false;
  program.catalog.selectedEntryIndex = entryIndex;
  showEntryDetails(program, entryIndex);
  selectEntryInViews(program);
  return true;
}

void handleGroupTreeEvent(Program& program, int type) {
  if (type != kTreeClick && type != kTreeRightClick && type != kTreeDoubleClick) return;
  if (!chooseTreeEntry(program, kGroupTree, program.catalog.groupTreeLinks)) return;
  Catalog& catalog = program.catalog;
  if (type == kTreeRightClick) showGroupMenu(program, catalog.selectedEntryIndex);
  if (type == kTreeDoubleClick) openEntryFile(program.system, catalog, catalog.selectedEntryIndex);
}

void handleFolderTreeEvent(Program& program, int type) {
  if (type == kTreeRightClick) {
    program.gui.showPopupMenu(kFolderTreeMenu, kMainWindow);
    return;
  }
  if (type != kTreeClick && type != kTreeDoubleClick) return;
  if (!chooseTreeEntry(program, kFolderTree, program.catalog.folderTreeLinks)) return;
  Catalog& catalog = program.catalog;
  if (type == kTreeDoubleClick) openEntryFile(program.system, catalog, catalog.selectedEntryIndex);
}

}  // namespace

void rebuildViews(Program& program) {
  clearViews(program);
  sortEntriesByName(program.catalog);
  fillNameList(program);
  fillGroupTree(program);
  fillFolderTree(program);
  if (program.options.opt_treeexpand == 1) {
    expandAllItems(program, kGroupTree);
    expandAllItems(program, kFolderTree);
  }
}

void selectEntryInViews(Program& program) {
  Catalog& catalog = program.catalog;
  selectLinkedRow(program.gui, kFolderTree, catalog.folderTreeLinks, catalog.selectedEntryIndex);
  selectLinkedRow(program.gui, kGroupTree, catalog.groupTreeLinks, catalog.selectedEntryIndex);
  selectLinkedRow(program.gui, kNameList, catalog.listLinks, catalog.selectedEntryIndex);
}

void handleViewEvent(Program& program, const Event& event) {
  switch (event.control) {
    case kNameList:
      handleNameListEvent(program, event.type);
      break;
    case kGroupTree:
      handleGroupTreeEvent(program, event.type);
      break;
    case kFolderTree:
      handleFolderTreeEvent(program, event.type);
      break;
    default:
      break;
  }
}

}  // namespace qk
