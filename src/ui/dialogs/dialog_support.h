#pragma once
// Pieces the dialogs share: creating a window's controls from a table,
// listing the groups by groupId, choosing a source file and the opening
// step that disables the main window.
#include <string>
#include <vector>

#include "platform/gui.h"
#include "ui/main/program.h"

namespace qk {

struct ControlSpec {
  int control = 0;
  ControlKind kind = ControlKind::StaticText;
  Rect where;
  std::string text;
};

// Creates the controls on a window in the table's order.
void createControls(Gui& gui, int window, const std::vector<ControlSpec>& specs);

// Inserts every group's name at the row equal to its groupId, so a row read
// back is a groupId. Returns the number of groups.
int insertGroupRows(Gui& gui, int control, Catalog& catalog);

// The file-open dialog of the add and edit dialogs. The chosen path (empty
// on cancel) replaces pendingFilePath; a chosen file's name and extension
// replace the text of `nameControl`.
void chooseSourceFile(Program& program, int nameControl);

// The last step of opening a dialog: its controls exist, so the main window
// is disabled until the dialog-closing step.
void disableMainWindow(Program& program);

// Each dialog's dispatch: runs the handler of a control of its window and
// returns true for every control number of that window (those without a
// handler are ignored), false for any other number.
bool handleAddDialogControl(Program& program, int control);
bool handleEditDialogControl(Program& program, int control);
bool handleGroupsDialogControl(Program& program, int control);
bool handleOptionsDialogControl(Program& program, int control);

}  // namespace qk
