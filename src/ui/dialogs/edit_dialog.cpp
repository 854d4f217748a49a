// Window 3: name, author, description, group and file of the selected entry,
// with its stored facts and their refresh.
#include <string>

#include "sources/catalog_paths.h"
#include "sources/file_facts.h"
#include "sources/file_types.h"
#include "ui/dialogs/dialog_support.h"
#include "ui/dialogs/dialogs.h"
#include "ui/main/details.h"
#include "ui/main/ids.h"
#include "ui/main/main_window.h"
#include "ui/main/views.h"

namespace qk {
namespace {

// The edited entry is always the selected one; the main window is disabled
// while the dialog is open, so the selection cannot change meanwhile.
CatalogEntry* selectedEntry(Catalog& catalog) {
  if (!findEntry(catalog, catalog.selectedEntryIndex)) return nullptr;
  return catalog.entries.currentElement();
}

std::string infoText(const CatalogEntry& entry) {
  return "Ort: " + entry.location + "\n\n" + "Typ: " + typeDisplayName(entry.typeCode) + "\n" +
         "Datum: " + formatDate(kDateMask, entry.modified) + "\n" +
         "Zeilen: " + std::to_string(entry.lineCount) + "\n";
}

bool fileCanBeOpened(System& system, const std::string& location) {
  return system.openForReading(location) != nullptr;
}

void fillGroupChoice(Program& program, int32_t groupId) {
  insertGroupRows(program.gui, kEditGroup, program.catalog);
  if (groupId != -1 && findGroup(program.catalog, groupId)) {
    program.gui.selectRow(kEditGroup, groupId);
  }
}

void refreshFacts(Program& program) {
  Catalog& catalog = program.catalog;
  const std::string message = refreshEntry(program.system, catalog, catalog.selectedEntryIndex);
  if (!message.empty()) program.gui.messageBox(kRefreshMessageTitle, message);
  if (CatalogEntry* entry = selectedEntry(catalog)) program.gui.setText(kEditInfo, infoText(*entry));
}

void applyEdits(Program& program, CatalogEntry& entry) {
  Gui& gui = program.gui;
  Catalog& catalog = program.catalog;
  const std::string name = gui.text(kEditName);
  if (!name.empty()) entry.name = name;
  const std::string author = gui.text(kEditAuthor);
  if (!author.empty()) entry.author = author;
  entry.description = gui.text(kEditDescription);
  if (!catalog.pendingFilePath.empty()) {
    entry.location = makeRelativeLocation(catalog.baseDirectory, catalog.pendingFilePath);
  }
  // Rows are groupIds; without a chosen row the entry keeps its group.
  const int groupRow = gui.selectedRow(kEditGroup);
  if (groupRow != -1) entry.groupId = groupRow;
}

void confirmEdit(Program& program) {
  if (CatalogEntry* entry = selectedEntry(program.catalog)) applyEdits(program, *entry);
  program.catalog.pendingFilePath.clear();
  rebuildViews(program);
  showEntryDetails(program, program.catalog.selectedEntryIndex);
  closeDialog(program, kEditWindow);
}

void cancelEdit(Program& program) {
  program.catalog.pendingFilePath.clear();
  closeDialog(program, kEditWindow);
}

}  // namespace

void openEditDialog(Program& program) {
  Gui& gui = program.gui;
  CatalogEntry* found = selectedEntry(program.catalog);
  if (found == nullptr) return;
  const CatalogEntry entry = *found;
  if (!gui.openDialogWindow(kEditWindow, "Quellcode Daten bearbeiten", 515, 340, kMainWindow)) {
    return;
  }
  createControls(gui, kEditWindow,
                 {
                     {kEditName, ControlKind::SingleLineEdit, {5, 5, 250, 20}, entry.name},
                     {kEditChooseFile, ControlKind::PushButton, {255, 5, 50, 20}, "..."},
                     {kEditAuthor, ControlKind::SingleLineEdit, {5, 30, 250, 20}, entry.author},
                     {kEditAuthorLabel, ControlKind::StaticText, {260, 32, 30, 16}, "Autor"},
                     {kEditDescription, ControlKind::MultiLineEdit, {5, 55, 300, 280},
                      entry.description},
                 });
  // Another file is offered only for an entry whose file cannot be opened.
  if (fileCanBeOpened(program.system, entry.location)) gui.enableControl(kEditChooseFile, false);
  createControls(gui, kEditWindow,
                 {
                     {kEditInfo, ControlKind::SunkenStaticText, {310, 5, 200, 205}, infoText(entry)},
                     {kEditRefresh, ControlKind::PushButton, {360, 210, 100, 20}, "Aktualisieren"},
                     {kEditGroup, ControlKind::DropDownList, {310, 240, 200, 20}, ""},
                 });
  fillGroupChoice(program, entry.groupId);
  createControls(gui, kEditWindow,
                 {
                     {kEditCancel, ControlKind::PushButton, {360, 315, 100, 20}, "Abbruch"},
                     {kEditOk, ControlKind::PushButton, {360, 290, 100, 20}, "OK"},
                 });
  disableMainWindow(program);
}

bool handleEditDialogControl(Program& program, int control) {
  switch (control) {
    case kEditChooseFile:
      chooseSourceFile(program, kEditName);
      return true;
    case kEditRefresh:
      refreshFacts(program);
      return true;
    case kEditCancel:
      cancelEdit(program);
      return true;
    case kEditOk:
      confirmEdit(program);
      return true;
    default:
      return control >= kEditName && control <= kEditOk;
  }
}

}  // namespace qk
