#pragma once
// Window 1: its controls, the layout rule and the tab table.
#include "ui/main/program.h"

namespace qk {

constexpr int kMainMinWidth = 520;
constexpr int kMainMinHeight = 440;

// Creates controls 1 to 15 in their order, with control 4's empty text and
// background, 9, 10 and 12 hidden, the three tabs, the tab `opt_stdtab`
// selected and the views shown by the tab table.
void createMainControls(Program& program);

// The layout rule: springs the client size back to at least 520 x 440 (which
// produces another size event) and places every control for the current
// size.
void layoutMainWindow(Program& program);

// Shows or hides controls 2, 9, 10 and 12 for a tab number; other numbers
// change nothing.
void showViewForTab(Program& program, int tab);

// Popup menu 1 of the folder tree, created once at start-up.
void createFolderTreeMenu(Program& program);

// The dialog-closing step: enable window 1, make it active when the dialog is
// owned by it (windows 2 and 3), then destroy the dialog window.
void closeDialog(Program& program, int window);

}  // namespace qk
