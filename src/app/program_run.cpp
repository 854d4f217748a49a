#include "app/program_run.h"

#include "catalog/catalog_file.h"
#include "catalog/settings.h"
#include "sources/catalog_paths.h"
#include "ui/dialogs/dialogs.h"
#include "ui/main/details.h"
#include "ui/main/ids.h"
#include "ui/main/main_window.h"
#include "ui/main/tree_images.h"
#include "ui/main/views.h"

namespace qk {

namespace {

const char kProgramTitle[] = "Quellkiste";

void resetCatalog(Catalog& catalog) {
  catalog.selectedEntryIndex = -1;
  catalog.nextEntryIndex = 0;
  catalog.autosaveOnExit = 0;
}

void clearCatalogLists(Catalog& catalog) {
  catalog.folderTreeLinks.clearAll();
  catalog.groupTreeLinks.clearAll();
  catalog.listLinks.clearAll();
  catalog.groups.clearAll();
  catalog.entries.clearAll();
}

CatalogReadReport readCatalogShowingMessage(Program& program, const std::string& path) {
  CatalogReadReport report = readCatalogFile(program.system, program.catalog, path);
  if (report.message != CatalogReadMessage::None)
    program.gui.messageBox(kCatalogMessageTitle, catalogReadMessageText(report.message));
  return report;
}

// The command-line catalog when it loads, else autosave.ksf (also when that
// is missing), which is then written back on closing.
void loadCatalog(Program& program, const std::string& parameter) {
  if (!parameter.empty() && readCatalogShowingMessage(program, parameter).result == 1) {
    program.gui.setWindowTitle(kMainWindow, std::string(kProgramTitle) + " - " + parameter);
    return;
  }
  const bool autosaveExisted = program.system.fileExists(kAutosaveFileName);
  const CatalogReadReport report = readCatalogShowingMessage(program, kAutosaveFileName);
  program.autosaveLoadFailed = autosaveExisted && !report.clean();
  program.catalog.autosaveOnExit = 1;
}

// Saves autosave.ksf, keeping the previous file as autosave.ksf.bak. A file
// that did not load cleanly at start-up is backed up by the first save of
// the run only, so that no later save of the run replaces that backup.
void saveAutosave(Program& program) {
  const bool keepBackup = !(program.autosaveLoadFailed && program.damagedAutosaveBackedUp);
  const SaveResult result =
      writeCatalogFile(program.system, program.catalog, kAutosaveFileName, keepBackup);
  if (result == SaveResult::Failed) {
    program.gui.messageBox(kCatalogMessageTitle, catalogSaveFailedText(kAutosaveFileName));
    return;
  }
  if (program.autosaveLoadFailed) program.damagedAutosaveBackedUp = true;
}

void saveSettingsFile(Program& program) {
  saveSettings(program.system, program.options, kSettingsPathToken);
}

void closeProgram(Program& program) {
  if (program.catalog.autosaveOnExit == 1) saveAutosave(program);
  saveSettingsFile(program);
}

bool hasSelectedEntry(const Program& program) { return program.catalog.selectedEntryIndex != -1; }

void dispatchControlEvent(Program& program, const Event& event) {
  switch (event.control) {
    case kNameList:
    case kGroupTree:
    case kFolderTree:
      handleViewEvent(program, event);
      return;
    case kAddButton:
      openAddDialog(program);
      return;
    case kEditButton:
      if (hasSelectedEntry(program)) openEditDialog(program);
      return;
    case kDeleteButton:
      if (hasSelectedEntry(program)) deleteSelectedEntry(program);
      return;
    case kEditorButton:
      if (hasSelectedEntry(program))
        openEntryFile(program.system, program.catalog, program.catalog.selectedEntryIndex);
      return;
    case kViewTabs:
      showViewForTab(program, program.gui.selectedRow(kViewTabs));
      return;
    case kGroupsButton:
      openGroupsDialog(program);
      return;
    case kOptionsButton:
      openOptionsDialog(program);
      return;
    case kAutosaveButton:
      saveAutosave(program);
      saveSettingsFile(program);
      return;
    case kAboutButton:
      showAboutOverlay(program);
      return;
    default:
      handleDialogEvent(program, event);
      return;
  }
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string firstParameter(const std::string& commandLine) {
  size_t at = 0;
  while (at < commandLine.size() && isBlank(commandLine[at])) ++at;
  std::string parameter;
  bool quoted = false;
  for (; at < commandLine.size(); ++at) {
    const char c = commandLine[at];
    if (c == '"') {
      quoted = !quoted;
    } else if (isBlank(c) && !quoted) {
      break;
    } else {
      parameter += c;
    }
  }
  return parameter;
}

bool startProgram(Program& program, const std::string& commandLine) {
  Catalog& catalog = program.catalog;
  resetCatalog(catalog);
  catalog.baseDirectory = readBaseDirectory(program.system);
  program.options = defaultOptions(program.system);
  program.gui.setTreeImages(decodeTreeImages());
  clearCatalogLists(catalog);
  if (!program.gui.openMainWindow(kProgramTitle, kMainMinWidth, kMainMinHeight)) return false;
  loadSettings(program.system, program.options, kSettingsPathToken);
  createMainControls(program);
  loadCatalog(program, firstParameter(commandLine));
  rebuildViews(program);
  showEntryDetails(program, 0);
  createFolderTreeMenu(program);
  return true;
}

bool handleEvent(Program& program, const Event& event) {
  switch (event.kind) {
    case kEventClose:
      closeProgram(program);
      return false;
    case kEventSize:
      layoutMainWindow(program);
      return true;
    case kEventControl:
      dispatchControlEvent(program, event);
      return true;
    case kEventMenu:
      handleMenuEvent(program, event.menuItem);
      return true;
    default:
      return true;
  }
}

void runEventLoop(Program& program) {
  while (handleEvent(program, program.gui.waitEvent())) {
  }
}

}  // namespace qk
