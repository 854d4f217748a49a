#pragma once
// The three views of the catalog: name list (2), group tree (9), folder tree
// (10).
#include "platform/gui.h"
#include "ui/main/program.h"

namespace qk {

// Sorts the entries by name and rebuilds all three views and their links.
void rebuildViews(Program& program);

// Highlights selectedEntryIndex in the folder tree, the group tree and the
// name list.
void selectEntryInViews(Program& program);

// Events of controls 2, 9 and 10.
void handleViewEvent(Program& program, const Event& event);

}  // namespace qk
