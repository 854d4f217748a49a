// The dispatch of dialog events: controls outside the dialogs are not
// theirs, and the dialogs' controls without a handler change nothing.
#include <gtest/gtest.h>

#include "ui/dialog_fixture.h"

namespace qk::test {
namespace {

Event controlEvent(int control) {
  Event event;
  event.kind = kEventControl;
  event.control = control;
  return event;
}

TEST_F(DialogTest, ControlsOutsideTheDialogsAreNotTheirs) {
  for (int control : {0, 1, 5, 12, 15, 100, 108, 200, 211, 300, 308, 400, 414, 65000}) {
    EXPECT_FALSE(handleDialogEvent(program, controlEvent(control))) << control;
  }
  Event menu;
  menu.kind = kEventMenu;
  menu.menuItem = 105;
  EXPECT_FALSE(handleDialogEvent(program, menu));
}

TEST_F(DialogTest, ControlsWithoutAHandlerAreTakenAndIgnored) {
  const int ignored[] = {101, 103, 104, 107, 201, 203, 204, 205, 206, 208, 302, 304,
                         401, 402, 403, 404, 405, 406, 407, 408, 409, 412, 413};
  program.options.opt_stdgruppe = 0;
  addGroup(program.catalog, "A");
  CatalogEntry& e = addEntry(program.catalog);
  e.name = "haupt.cpp";
  program.catalog.selectedEntryIndex = 0;
  openAddDialog(program);
  openEditDialog(program);
  openGroupsDialog(program);
  openOptionsDialog(program);
  gui.userSelects(kOptionsGroup, 1);
  for (int control : ignored) press(control);
  EXPECT_TRUE(gui.messages().empty());
  EXPECT_TRUE(gui.fileDialogs().empty());
  EXPECT_EQ(program.catalog.entries.countElements(), 1);
  EXPECT_EQ(program.catalog.groups.countElements(), 1);
  EXPECT_EQ(program.options.opt_stdgruppe, 0);
  for (int window : {kAddWindow, kEditWindow, kGroupsWindow, kOptionsWindow}) {
    EXPECT_TRUE(gui.hasWindow(window)) << window;
  }
  EXPECT_TRUE(gui.text(kGroupsRenameName).empty());
}

}  // namespace
}  // namespace qk::test
