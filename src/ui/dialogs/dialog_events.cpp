#include "ui/dialogs/dialog_support.h"
#include "ui/dialogs/dialogs.h"

namespace qk {

bool handleDialogEvent(Program& program, const Event& event) {
  if (event.kind != kEventControl) return false;
  return handleAddDialogControl(program, event.control) ||
         handleEditDialogControl(program, event.control) ||
         handleGroupsDialogControl(program, event.control) ||
         handleOptionsDialogControl(program, event.control);
}

}  // namespace qk
