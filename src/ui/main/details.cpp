#include "ui/main/details.h"

#include <string>

#include "sources/file_facts.h"
#include "sources/file_types.h"
#include "ui/main/ids.h"
#include "ui/main/views.h"

namespace qk {

namespace {

const char kExpandAllText[] = "Alles Ausklappen";
const char kCollapseAllText[] = "Alles Einklappen";
const char kGroupsHeadingText[] = "Gruppen";
const char kNoGroupText[] = "[Keine Gruppe]";

std::string detailsText(const CatalogEntry& entry) {
  return "Name: " + entry.name + "\n\n" + "Ort: " + entry.location + "\n\n" +
         "Typ: " + typeDisplayName(entry.typeCode) + "\n" +
         "Datum: " + formatDate(kDateMask, entry.modified) + "\n" +
         "Zeilen: " + std::to_string(entry.lineCount) + "\n" + "Autor: " + entry.author;
}

// The groupId of the entry with this index; -1 when there is none.
int32_t groupOfEntry(Catalog& catalog, int32_t entryIndex) {
  if (!findEntry(catalog, entryIndex)) return -1;
  return catalog.entries.currentElement()->groupId;
}

void appendGroupMenuItems(Program& program, int32_t checkedGroup) {
  Gui& gui = program.gui;
  gui.appendMenuItem(kGroupTreeMenu, kMenuGroupExpandAll, kExpandAllText, false);
  gui.appendMenuItem(kGroupTreeMenu, kMenuGroupCollapseAll, kCollapseAllText, false);
  gui.appendMenuSeparator(kGroupTreeMenu);
  gui.appendMenuSeparator(kGroupTreeMenu);
  gui.appendMenuItem(kGroupTreeMenu, kMenuGroupsHeading, kGroupsHeadingText, false);
  gui.greyMenuItem(kGroupTreeMenu, kMenuGroupsHeading);
  const std::vector<CatalogGroup>& groups = program.catalog.groups.elements();
  for (const CatalogGroup& group : groups)
    gui.appendMenuItem(kGroupTreeMenu, group.groupId, group.name, group.groupId == checkedGroup);
  gui.appendMenuSeparator(kGroupTreeMenu);
  gui.appendMenuItem(kGroupTreeMenu, static_cast<int>(groups.size()), kNoGroupText, false);
}

// Walks a tree's visible items from its first top-level item, opening or
// closing each before moving past it, then scrolls that first item into
// view.
template <typename Step>
void walkVisibleItems(Gui& gui, int tree, Step step) {
  const int first = gui.firstRootRow(tree);
  if (first == -1) return;
  for (int row = first; row != -1; row = gui.nextVisibleRow(tree, row)) step(row);
  gui.ensureRowVisible(tree, first);
}

}  // namespace

void showEntryDetails(Program& program, int32_t entryIndex) {
  if (!findEntry(program.catalog, entryIndex)) return;
  const CatalogEntry& entry = *program.catalog.entries.currentElement();
  program.gui.setText(kDetailsText, detailsText(entry));
  program.gui.setText(kDescriptionText, entry.description);
}

void deleteSelectedEntry(Program& program) {
  Catalog& catalog = program.catalog;
  if (catalog.selectedEntryIndex == -1) return;
  program.gui.setText(kDetailsText, "");
  program.gui.setText(kDescriptionText, "");
  if (findEntry(catalog, catalog.selectedEntryIndex)) catalog.entries.removeAtCursor();
  catalog.selectedEntryIndex = -1;
  renumberEntries(catalog);
  rebuildViews(program);
}

void showGroupMenu(Program& program, int32_t entryIndex) {
  const int32_t checkedGroup = groupOfEntry(program.catalog, entryIndex);
  Gui& gui = program.gui;
  if (gui.popupMenuExists(kGroupTreeMenu)) gui.destroyPopupMenu(kGroupTreeMenu);
  if (!gui.createPopupMenu(kGroupTreeMenu)) return;
  appendGroupMenuItems(program, checkedGroup);
  gui.showPopupMenu(kGroupTreeMenu, kMainWindow);
}

void assignGroupFromMenu(Program& program, int item) {
  Catalog& catalog = program.catalog;
  int32_t groupId = -1;
  for (const CatalogGroup& group : catalog.groups.elements()) {
    if (group.groupId == item) {
      groupId = group.groupId;
      break;
    }
  }
  if (findEntry(catalog, catalog.selectedEntryIndex))
    catalog.entries.currentElement()->groupId = groupId;
  rebuildViews(program);
}

void handleMenuEvent(Program& program, int item) {
  switch (item) {
    case kMenuGroupExpandAll:
      expandAllItems(program, kGroupTree);
      return;
    case kMenuGroupCollapseAll:
      collapseAllItems(program, kGroupTree);
      return;
    case kMenuFolderExpandAll:
      expandAllItems(program, kFolderTree);
      return;
    case kMenuFolderCollapseAll:
      collapseAllItems(program, kFolderTree);
      return;
    default:
      if (item <= kMenuLastGroupItem) assignGroupFromMenu(program, item);
      return;
  }
}

void expandAllItems(Program& program, int treeControl) {
  Gui& gui = program.gui;
  walkVisibleItems(gui, treeControl, [&](int row) { gui.expandRow(treeControl, row); });
}

void collapseAllItems(Program& program, int treeControl) {
  Gui& gui = program.gui;
  walkVisibleItems(gui, treeControl, [&](int row) { gui.collapseRow(treeControl, row); });
}

}  // namespace qk
