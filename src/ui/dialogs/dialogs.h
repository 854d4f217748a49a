#pragma once
// The dialogs (windows 2 to 5) and the about overlay.
#include "platform/gui.h"
#include "ui/main/program.h"

namespace qk {

void openAddDialog(Program& program);
void openEditDialog(Program& program);
void openGroupsDialog(Program& program);
void openOptionsDialog(Program& program);
void showAboutOverlay(Program& program);

// Events of the dialogs' controls (101-107, 201-210, 301-307, 401-413).
// Returns false when the control belongs to no dialog.
bool handleDialogEvent(Program& program, const Event& event);

}  // namespace qk
