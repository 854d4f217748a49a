// Window 2: a new entry from a file chosen in the file-open dialog.
#include "sources/catalog_paths.h"
#include "sources/file_facts.h"
#include "sources/file_types.h"
#include "ui/dialogs/dialog_support.h"
#include "ui/dialogs/dialogs.h"
#include "ui/main/ids.h"
#include "ui/main/main_window.h"
#include "ui/main/views.h"

namespace qk {
namespace {

constexpr char kUnknownAuthor[] = "Unbekannt";

void addChosenFile(Program& program) {
  Gui& gui = program.gui;
  Catalog& catalog = program.catalog;
  if (gui.text(kAddName).empty() || catalog.pendingFilePath.empty()) {
    gui.messageBox("Achtung", "Eine Datei ist ein notwendiges \xDC" "bel.");
    return;
  }
  CatalogEntry& entry = addEntry(catalog);
  entry.name = gui.text(kAddName);
  entry.location = makeRelativeLocation(catalog.baseDirectory, catalog.pendingFilePath);
  entry.typeCode = classifyByExtension(catalog.pendingFilePath);
  entry.description = gui.text(kAddDescription);
  entry.author = gui.text(kAddAuthor);
  if (entry.author.empty()) entry.author = kUnknownAuthor;
  const EntryFacts facts = factsForNewEntry(program.system, entry.location);
  entry.lineCount = facts.lineCount;
  entry.modified = facts.modified;
  entry.groupId = program.options.opt_stdgruppe;

  rebuildViews(program);
  catalog.pendingFilePath.clear();
  closeDialog(program, kAddWindow);
}

void cancelAdd(Program& program) {
  program.catalog.pendingFilePath.clear();
  closeDialog(program, kAddWindow);
}

}  // namespace

void openAddDialog(Program& program) {
  Gui& gui = program.gui;
  if (!gui.openDialogWindow(kAddWindow, "Neuen Quellcode hinzuf\xFCgen", 310, 370, kMainWindow)) {
    return;
  }
  createControls(gui, kAddWindow,
                 {
                     {kAddName, ControlKind::SingleLineEdit, {55, 5, 150, 20}, ""},
                     {kAddChooseFile, ControlKind::PushButton, {205, 5, 50, 20}, "..."},
                     {kAddAuthor, ControlKind::SingleLineEdit, {90, 30, 100, 20},
                      program.options.opt_stdautor},
                     {kAddAuthorLabel, ControlKind::StaticText, {200, 32, 30, 16}, "Autor"},
                     {kAddDescription, ControlKind::MultiLineEdit, {5, 55, 300, 280}, ""},
                     {kAddOk, ControlKind::PushButton, {5, 340, 75, 20}, "OK"},
                     {kAddCancel, ControlKind::PushButton, {230, 340, 75, 20}, "Abbruch"},
                 });
  disableMainWindow(program);
}

bool handleAddDialogControl(Program& program, int control) {
  switch (control) {
    case kAddChooseFile:
      chooseSourceFile(program, kAddName);
      return true;
    case kAddOk:
      addChosenFile(program);
      return true;
    case kAddCancel:
      cancelAdd(program);
      return true;
    default:
      return control >= kAddName && control <= kAddAuthorLabel;
  }
}

}  // namespace qk
