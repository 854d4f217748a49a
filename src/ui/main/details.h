#pragma once
// The details panel (controls 3 and 4), deleting an entry, and the popup
// menus.
#include <cstdint>

#include "ui/main/program.h"

namespace qk {

void showEntryDetails(Program& program, int32_t entryIndex);
void deleteSelectedEntry(Program& program);
void showGroupMenu(Program& program, int32_t entryIndex);
void assignGroupFromMenu(Program& program, int item);
void handleMenuEvent(Program& program, int item);
void expandAllItems(Program& program, int treeControl);
void collapseAllItems(Program& program, int treeControl);

}  // namespace qk
