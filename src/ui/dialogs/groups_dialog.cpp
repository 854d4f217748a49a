// Window 4: creating, renaming and deleting groups. Rows of list 301 are
// groupIds.
#include <string>

#include "ui/dialogs/dialog_support.h"
#include "ui/dialogs/dialogs.h"
#include "ui/main/ids.h"
#include "ui/main/main_window.h"
#include "ui/main/views.h"

namespace qk {
namespace {

void fillGroupList(Program& program) {
  program.gui.clearRows(kGroupsList);
  insertGroupRows(program.gui, kGroupsList, program.catalog);
}

void enableRenameAndDelete(Gui& gui, bool enabled) {
  gui.enableControl(kGroupsRenameName, enabled);
  gui.enableControl(kGroupsRename, enabled);
  gui.enableControl(kGroupsDelete, enabled);
}

void endRenameAndDelete(Gui& gui) {
  gui.setText(kGroupsRenameName, "");
  enableRenameAndDelete(gui, false);
}

void selectGroup(Program& program) {
  const int row = program.gui.selectedRow(kGroupsList);
  if (row == -1 || !findGroup(program.catalog, row)) return;
  program.gui.setText(kGroupsRenameName, program.catalog.groups.currentElement()->name);
  enableRenameAndDelete(program.gui, true);
}

void createGroup(Program& program) {
  const std::string name = program.gui.text(kGroupsNewName);
  if (name.empty()) return;
  addGroup(program.catalog, name);
  program.gui.setText(kGroupsNewName, "");
  fillGroupList(program);
}

void renameGroup(Program& program) {
  const int row = program.gui.selectedRow(kGroupsList);
  if (row == -1) return;
  if (findGroup(program.catalog, row)) {
    program.catalog.groups.currentElement()->name = program.gui.text(kGroupsRenameName);
  }
  endRenameAndDelete(program.gui);
  fillGroupList(program);
}

// The default group of new entries follows the renumbering as the entries
// do: it loses a deleted group, moves down with the groups after it, and a
// number that named no group stays as it is.
void followDeletedGroup(int32_t& defaultGroup, int32_t deleted, int groupsBefore) {
  if (defaultGroup == deleted) {
    defaultGroup = -1;
  } else if (defaultGroup > deleted && defaultGroup < groupsBefore) {
    --defaultGroup;
  }
}

void deleteGroup(Program& program) {
  const int row = program.gui.selectedRow(kGroupsList);
  if (row != -1) {
    const int groupsBefore = program.catalog.groups.countElements();
    if (removeGroup(program.catalog, row)) {
      followDeletedGroup(program.options.opt_stdgruppe, row, groupsBefore);
    }
    endRenameAndDelete(program.gui);
    fillGroupList(program);
  }
  rebuildViews(program);
}

}  // namespace

void openGroupsDialog(Program& program) {
  Gui& gui = program.gui;
  if (!gui.openDialogWindow(kGroupsWindow, "Gruppenverwaltung", 420, 310, 0)) return;
  createControls(gui, kGroupsWindow,
                 {
                     {kGroupsList, ControlKind::ListBox, {5, 5, 200, 300}, ""},
                     {kGroupsNewName, ControlKind::SingleLineEdit, {215, 5, 150, 20}, ""},
                     {kGroupsNew, ControlKind::PushButton, {365, 5, 50, 20}, "Neu"},
                     {kGroupsRenameName, ControlKind::SingleLineEdit, {215, 35, 150, 20}, ""},
                     {kGroupsRename, ControlKind::PushButton, {365, 35, 50, 20}, "\xC4ndern"},
                     {kGroupsDelete, ControlKind::PushButton, {265, 65, 100, 20}, "L\xF6schen"},
                     {kGroupsClose, ControlKind::PushButton, {265, 285, 100, 20},
                      "Schlie\xDF" "en"},
                 });
  enableRenameAndDelete(gui, false);
  fillGroupList(program);
  disableMainWindow(program);
}

bool handleGroupsDialogControl(Program& program, int control) {
  switch (control) {
    case kGroupsList:
      selectGroup(program);
      return true;
    case kGroupsNew:
      createGroup(program);
      return true;
    case kGroupsRename:
      renameGroup(program);
      return true;
    case kGroupsDelete:
      deleteGroup(program);
      return true;
    case kGroupsClose:
      closeDialog(program, kGroupsWindow);
      return true;
    default:
      return control >= kGroupsList && control <= kGroupsClose;
  }
}

}  // namespace qk
