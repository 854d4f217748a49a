#include "platform/memory/memory_gui.h"

#include <gtest/gtest.h>

#include <ostream>

namespace qk {
namespace {

constexpr int kTree = 9;
constexpr int kList = 2;

class MemoryGuiTest : public ::testing::Test {
 protected:
  MemoryGuiTest() {
    gui.openMainWindow("Quellkiste", 520, 440);
    gui.createControl(1, kList, ControlKind::ListBox, {15, 30, 280, 375}, "");
    gui.createControl(1, kTree, ControlKind::TreeView, {15, 20, 280, 375}, "");
  }

  void appendLevels(const std::vector<int>& levels) {
    for (size_t i = 0; i < levels.size(); ++i) {
      gui.appendTreeItem(kTree, "item" + std::to_string(i), 1, levels[i]);
    }
  }

  const MemoryGui::TreeItem& item(int row) { return gui.control(kTree)->items.at(row); }

  std::vector<int> visibleWalk() {
    std::vector<int> rows;
    for (int row = gui.firstRootRow(kTree); row != -1; row = gui.nextVisibleRow(kTree, row)) {
      rows.push_back(row);
    }
    return rows;
  }

  void drainEvents() {
    while (gui.pendingEvents() > 0) gui.waitEvent();
  }

  MemoryGui gui;
};

// --- Tree append rule ----------------------------------------------------------

struct AppendCase {
  const char* name;
  std::vector<int> askedLevels;
  std::vector<int> levels;   // as the tree gave them
  std::vector<int> parents;  // -1 for top-level
};

void PrintTo(const AppendCase& c, std::ostream* out) { *out << c.name; }

class TreeAppendTest : public MemoryGuiTest, public ::testing::WithParamInterface<AppendCase> {};

TEST_P(TreeAppendTest, PlacesItemsByTheAppendRule) {
  const AppendCase& c = GetParam();
  appendLevels(c.askedLevels);
  ASSERT_EQ(gui.rowCount(kTree), static_cast<int>(c.levels.size()));
  for (size_t row = 0; row < c.levels.size(); ++row) {
    EXPECT_EQ(item(static_cast<int>(row)).level, c.levels[row]) << "row " << row;
    EXPECT_EQ(item(static_cast<int>(row)).parent, c.parents[row]) << "row " << row;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rule, TreeAppendTest,
    ::testing::Values(
        AppendCase{"FirstItemIsTopLevel", {3, 1}, {0, 1}, {-1, 0}},
        AppendCase{"LevelJumpGivesFirstChild", {0, 3, 3}, {0, 1, 2}, {-1, 0, 1}},
        AppendCase{"SameLevelIsSibling", {0, 1, 1, 0}, {0, 1, 1, 0}, {-1, 0, 0, -1}},
        AppendCase{"LowerLevelIsSiblingOfAncestor", {0, 1, 2, 3, 1}, {0, 1, 2, 3, 1},
                   {-1, 0, 1, 2, 0}},
        AppendCase{"BackToTopFromDepth", {0, 1, 2, 0, 1}, {0, 1, 2, 0, 1}, {-1, 0, 1, -1, 3}},
        AppendCase{"NegativeLevelIsTopLevel", {0, 1, -4}, {0, 1, 0}, {-1, 0, -1}}),
    [](const ::testing::TestParamInfo<AppendCase>& info) { return info.param.name; });

TEST_F(MemoryGuiTest, TreeRowsAreNumberedByAppendOrderAndKeepTextAndImage) {
  gui.appendTreeItem(kTree, "root", 2, 0);
  gui.appendTreeItem(kTree, "x", 0, 1);
  EXPECT_EQ(item(0).text, "root");
  EXPECT_EQ(item(0).image, 2);
  EXPECT_EQ(item(1).text, "x");
  EXPECT_EQ(item(1).image, 0);
  EXPECT_EQ(gui.firstRootRow(kTree), 0);
}

// --- Visible walk, expand, collapse, reveal -------------------------------------------

// Rows: 0 a; 1 a/b; 2 a/b/c; 3 a/d; 4 e; 5 e/f.
const std::vector<int> kSampleLevels = {0, 1, 2, 1, 0, 1};

TEST_F(MemoryGuiTest, CollapsedTreeShowsOnlyTopLevelItems) {
  appendLevels(kSampleLevels);
  EXPECT_EQ(visibleWalk(), (std::vector<int>{0, 4}));
  EXPECT_FALSE(gui.rowVisible(kTree, 1));
}

TEST_F(MemoryGuiTest, NextVisibleWalkSkipsChildrenOfCollapsedItems) {
  appendLevels(kSampleLevels);
  gui.expandRow(kTree, 0);
  gui.expandRow(kTree, 4);
  EXPECT_EQ(visibleWalk(), (std::vector<int>{0, 1, 3, 4, 5}));  // b stays collapsed
  gui.expandRow(kTree, 1);
  EXPECT_EQ(visibleWalk(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
  gui.collapseRow(kTree, 0);
  EXPECT_EQ(visibleWalk(), (std::vector<int>{0, 4, 5}));
  EXPECT_TRUE(item(1).expanded) << "a collapse keeps the state of the items below";
  EXPECT_EQ(gui.nextVisibleRow(kTree, 2), -1) << "a hidden row has no next visible row";
}

TEST_F(MemoryGuiTest, ExpandingAnItemWithoutChildrenChangesNothing) {
  appendLevels(kSampleLevels);
  gui.expandRow(kTree, 2);
  gui.expandRow(kTree, -1);
  gui.expandRow(kTree, 6);
  EXPECT_FALSE(item(2).expanded);
  EXPECT_EQ(visibleWalk(), (std::vector<int>{0, 4}));
}

TEST_F(MemoryGuiTest, SelectingATreeRowRevealsIt) {
  appendLevels(kSampleLevels);
  gui.selectRow(kTree, 2);
  EXPECT_EQ(gui.selectedRow(kTree), 2);
  EXPECT_TRUE(item(0).expanded);
  EXPECT_TRUE(item(1).expanded);
  EXPECT_FALSE(item(4).expanded);
  EXPECT_TRUE(gui.rowVisible(kTree, 2));
  EXPECT_EQ(gui.control(kTree)->scrolledTo, 2);
}

TEST_F(MemoryGuiTest, EnsureVisibleExpandsAncestorsWithoutSelecting) {
  appendLevels(kSampleLevels);
  gui.ensureRowVisible(kTree, 5);
  EXPECT_TRUE(item(4).expanded);
  EXPECT_EQ(gui.control(kTree)->scrolledTo, 5);
  EXPECT_EQ(gui.selectedRow(kTree), -1);
}

TEST_F(MemoryGuiTest, CollapseMovesAHiddenSelectionToTheCollapsedItem) {
  appendLevels(kSampleLevels);
  gui.selectRow(kTree, 2);
  gui.collapseRow(kTree, 4);
  EXPECT_EQ(gui.selectedRow(kTree), 2) << "collapsing another branch keeps the selection";
  gui.collapseRow(kTree, 0);
  EXPECT_EQ(gui.selectedRow(kTree), 0);
}

TEST_F(MemoryGuiTest, ClearRowsEmptiesTreeAndSelection) {
  appendLevels(kSampleLevels);
  gui.selectRow(kTree, 3);
  gui.clearRows(kTree);
  EXPECT_EQ(gui.rowCount(kTree), 0);
  EXPECT_EQ(gui.selectedRow(kTree), -1);
  EXPECT_EQ(gui.firstRootRow(kTree), -1);
  gui.appendTreeItem(kTree, "new", 0, 2);
  EXPECT_EQ(item(0).level, 0);
}

// --- Rows of lists and tab strips ------------------------------------------------

TEST_F(MemoryGuiTest, InsertRowAppendsPastTheEndAndKeepsTheSelectedText) {
  gui.insertRow(kList, 0, "b");
  gui.insertRow(kList, 5, "d");
  gui.insertRow(kList, 1, "c");
  gui.insertRow(kList, -1, "e");
  EXPECT_EQ(gui.control(kList)->rows, (std::vector<std::string>{"b", "c", "d", "e"}));
  EXPECT_EQ(gui.selectedRow(kList), -1);
  gui.selectRow(kList, 1);
  EXPECT_EQ(gui.control(kList)->scrolledTo, 1);
  gui.insertRow(kList, 0, "a");
  EXPECT_EQ(gui.selectedRow(kList), 2);
  gui.insertRow(kList, 4, "d2");
  EXPECT_EQ(gui.selectedRow(kList), 2);
}

TEST_F(MemoryGuiTest, SelectingOutsideTheRowsClearsTheSelection) {
  gui.insertRow(kList, 0, "a");
  appendLevels({0});
  for (int control : {kList, kTree}) {
    for (int outside : {1, -1, 100}) {
      gui.selectRow(control, 0);
      gui.selectRow(control, outside);
      EXPECT_EQ(gui.selectedRow(control), -1) << "control " << control << " row " << outside;
    }
  }
}

TEST_F(MemoryGuiTest, FirstTabOfATabStripIsSelected) {
  gui.createControl(1, 11, ControlKind::TabStrip, {315, 410, 150, 20}, "");
  gui.insertRow(11, 0, "Standart");
  gui.insertRow(11, 1, "Gruppe");
  EXPECT_EQ(gui.selectedRow(11), 0);
  gui.selectRow(11, 1);
  EXPECT_EQ(gui.selectedRow(11), 1);
}

TEST_F(MemoryGuiTest, DropDownListTextIsItsSelectedRow) {
  gui.createControl(1, 20, ControlKind::DropDownList, {0, 0, 100, 20}, "");
  gui.insertRow(20, 0, "eins");
  gui.insertRow(20, 1, "zwei");
  EXPECT_EQ(gui.text(20), "");
  gui.userSelects(20, 1);
  EXPECT_EQ(gui.text(20), "zwei");
}

// --- Windows and events ------------------------------------------------------------

TEST(MemoryGuiWindows, OpeningAWindowQueuesItsSizeEvent) {
  MemoryGui gui;
  ASSERT_TRUE(gui.openMainWindow("Quellkiste", 520, 440));
  ASSERT_EQ(gui.pendingEvents(), 1u);
  Event event = gui.waitEvent();
  EXPECT_EQ(event.kind, kEventSize);
  EXPECT_EQ(event.window, 1);
  EXPECT_EQ(gui.activeWindow(), 1);
}

TEST_F(MemoryGuiTest, SetClientSizeRecordsAndQueuesASizeEvent) {
  drainEvents();
  gui.setClientSize(1, 520, 600);
  EXPECT_EQ(gui.clientSize(1).width, 520);
  EXPECT_EQ(gui.clientSize(1).height, 600);
  Event event = gui.waitEvent();
  EXPECT_EQ(event.kind, kEventSize);
  EXPECT_EQ(event.window, 1);
  EXPECT_EQ(gui.pendingEvents(), 0u);
}

TEST_F(MemoryGuiTest, EventsComeInOrderThenCloseOfTheMainWindow) {
  drainEvents();
  gui.resizeByUser(1, 300, 200);
  gui.pushControlEvent(kTree, kTreeRightClick);
  gui.pushMenuEvent(64998);
  std::vector<int> kinds;
  for (int i = 0; i < 4; ++i) kinds.push_back(gui.waitEvent().kind);
  EXPECT_EQ(kinds, (std::vector<int>{kEventSize, kEventControl, kEventMenu, kEventClose}));
  EXPECT_EQ(gui.clientSize(1).width, 300);
  gui.pushControlEvent(kTree, kTreeRightClick);
  Event control = gui.waitEvent();
  EXPECT_EQ(control.window, 1);
  EXPECT_EQ(control.control, kTree);
  EXPECT_EQ(control.type, kTreeRightClick);
  EXPECT_EQ(gui.waitEvent().window, 1);
}

TEST(MemoryGuiWindows, WindowCreationCanBeMadeToFail) {
  MemoryGui gui;
  gui.canCreateWindows = false;
  EXPECT_FALSE(gui.openMainWindow("Quellkiste", 520, 440));
  EXPECT_FALSE(gui.openDialogWindow(2, "Neu", 300, 200, 1));
  EXPECT_FALSE(gui.hasWindow(1));
  EXPECT_FALSE(gui.createControl(1, 5, ControlKind::PushButton, {}, "x"));
}

TEST_F(MemoryGuiTest, DialogIsCentredWithItsOuterSizeLimitedToTheDesktop) {
  gui.setDesktopSize({640, 480});
  ASSERT_TRUE(gui.openDialogWindow(4, "Gruppen", 200, 100, 0));
  const MemoryGui::Window* small = gui.window(4);
  EXPECT_TRUE(small->dialog);
  EXPECT_EQ(small->owner, 0);
  EXPECT_GT(small->outer.width, 200);
  EXPECT_EQ(small->outer.left, (640 - small->outer.width) / 2);
  EXPECT_EQ(small->outer.top, (480 - small->outer.height) / 2);
  ASSERT_TRUE(gui.openDialogWindow(5, "Optionen", 1000, 900, 0));
  EXPECT_EQ(gui.window(5)->outer, (Rect{0, 0, 640, 480}));
  EXPECT_EQ(gui.activeWindow(), 5);
}

TEST_F(MemoryGuiTest, DestroyWindowRemovesItsControlsOnly) {
  gui.openDialogWindow(2, "Neu", 300, 200, 1);
  gui.createControl(2, 101, ControlKind::SingleLineEdit, {}, "");
  gui.focusControl(101);
  gui.destroyWindow(2);
  EXPECT_FALSE(gui.hasWindow(2));
  EXPECT_FALSE(gui.hasControl(101));
  EXPECT_TRUE(gui.hasControl(kTree));
  EXPECT_EQ(gui.creationOrder(), (std::vector<int>{kList, kTree}));
  EXPECT_EQ(gui.focusedControl(), 0);
  EXPECT_EQ(gui.activeWindow(), 0) << "only activateWindow makes window 1 active again";
  EXPECT_TRUE(gui.openDialogWindow(2, "Neu", 300, 200, 1));
  EXPECT_TRUE(gui.createControl(2, 101, ControlKind::SingleLineEdit, {}, ""));
  EXPECT_EQ(gui.creationOrder().back(), 101);
}

TEST_F(MemoryGuiTest, ControlStateIsRecorded) {
  gui.createControl(1, 4, ControlKind::ReadOnlyMultiLineEdit, {315, 225, 200, 180}, "x");
  gui.setText(4, "");
  gui.setControlBackground(4, rgb(235, 235, 228));
  gui.moveControl(4, {1, 2, 3, 4});
  gui.showControl(4, false);
  gui.enableControl(4, false);
  const MemoryGui::Control* edit = gui.control(4);
  EXPECT_EQ(edit->kind, ControlKind::ReadOnlyMultiLineEdit);
  EXPECT_EQ(edit->text, "");
  EXPECT_TRUE(edit->hasBackground);
  EXPECT_EQ(edit->background, 0xE4EBEBu);
  EXPECT_EQ(edit->rect, (Rect{1, 2, 3, 4}));
  EXPECT_FALSE(edit->visible);
  EXPECT_FALSE(edit->enabled);
  EXPECT_FALSE(gui.createControl(1, 4, ControlKind::PushButton, {}, "")) << "numbers are unique";
  EXPECT_EQ(gui.text(77), "");
  EXPECT_EQ(gui.selectedRow(77), -1);
}

// --- Tab order -------------------------------------------------------------------------

TEST(MemoryGuiTab, TabWalksTheActiveWindowsTabStopsInCreationOrder) {
  MemoryGui gui;
  gui.openMainWindow("Quellkiste", 520, 440);
  gui.createControl(1, 1, ControlKind::GroupBox, {}, "Meine Bibliothek");
  gui.createControl(1, 2, ControlKind::ListBox, {}, "");
  gui.createControl(1, 3, ControlKind::StaticText, {}, "");
  gui.createControl(1, 4, ControlKind::ReadOnlyMultiLineEdit, {}, "");
  gui.createControl(1, 5, ControlKind::PushButton, {}, "a");
  gui.createControl(1, 9, ControlKind::TreeView, {}, "");
  gui.createControl(1, 11, ControlKind::TabStrip, {}, "");
  gui.createControl(1, 6, ControlKind::CheckBox, {}, "");
  gui.showControl(9, false);
  gui.enableControl(5, false);
  gui.openDialogWindow(2, "Neu", 300, 200, 1);
  gui.createControl(2, 101, ControlKind::SingleLineEdit, {}, "");
  gui.activateWindow(1);

  std::vector<int> forward;
  for (int i = 0; i < 5; ++i) {
    gui.pressTab(false);
    forward.push_back(gui.focusedControl());
  }
  EXPECT_EQ(forward, (std::vector<int>{2, 4, 11, 6, 2}));
  gui.pressTab(true);
  EXPECT_EQ(gui.focusedControl(), 6);

  gui.activateWindow(2);
  gui.pressTab(false);
  EXPECT_EQ(gui.focusedControl(), 101);
  gui.pressTab(true);
  EXPECT_EQ(gui.focusedControl(), 101);
}

// --- Menus -----------------------------------------------------------------------------

TEST_F(MemoryGuiTest, ShownMenuIsASnapshotAndAScriptedChoiceBecomesAMenuEvent) {
  drainEvents();
  gui.createPopupMenu(3);
  gui.appendMenuItem(3, 65000, "Gruppe", false);
  gui.appendMenuSeparator(3);
  gui.appendMenuItem(3, 1, "Werkzeug", true);
  gui.greyMenuItem(3, 65000);
  gui.scriptMenuChoice(1);
  gui.showPopupMenu(3, 1);
  gui.appendMenuItem(3, 2, "later", false);

  ASSERT_EQ(gui.shownMenus().size(), 1u);
  const MemoryGui::ShownMenu& shown = gui.shownMenus()[0];
  EXPECT_EQ(shown.menu, 3);
  EXPECT_EQ(shown.owner, 1);
  ASSERT_EQ(shown.items.size(), 3u);
  EXPECT_TRUE(shown.items[0].greyed);
  EXPECT_TRUE(shown.items[1].separator);
  EXPECT_TRUE(shown.items[2].checked);
  EXPECT_EQ(shown.items[2].text, "Werkzeug");

  Event chosen = gui.waitEvent();
  EXPECT_EQ(chosen.kind, kEventMenu);
  EXPECT_EQ(chosen.menuItem, 1);
  EXPECT_EQ(gui.pendingEvents(), 0u);
}

TEST_F(MemoryGuiTest, MenuWithoutAClickableChoiceQueuesNothing) {
  drainEvents();
  gui.createPopupMenu(1);
  gui.appendMenuItem(1, 64998, "Alles Ausklappen", false);
  gui.appendMenuItem(1, 64999, "Alles Einklappen", false);
  gui.greyMenuItem(1, 64999);
  gui.showPopupMenu(1, 1);   // nothing scripted: dismissed
  gui.scriptMenuChoice(64999);
  gui.showPopupMenu(1, 1);   // greyed
  gui.scriptMenuChoice(12345);
  gui.showPopupMenu(1, 1);   // not in the menu
  gui.scriptMenuChoice(MemoryGui::kMenuDismissed);
  gui.showPopupMenu(1, 1);
  gui.appendMenuSeparator(1);
  gui.scriptMenuChoice(0);
  gui.showPopupMenu(1, 1);   // a separator is no item
  EXPECT_EQ(gui.shownMenus().size(), 5u);
  EXPECT_EQ(gui.pendingEvents(), 0u);
}

TEST_F(MemoryGuiTest, ItemZeroCanBeChosen) {
  drainEvents();
  gui.createPopupMenu(3);
  gui.appendMenuSeparator(3);
  gui.appendMenuItem(3, 0, "[Keine Gruppe]", false);
  gui.scriptMenuChoice(0);
  gui.showPopupMenu(3, 1);
  Event chosen = gui.waitEvent();
  EXPECT_EQ(chosen.kind, kEventMenu);
  EXPECT_EQ(chosen.menuItem, 0);
}

TEST_F(MemoryGuiTest, CreatingAMenuAgainReplacesIt) {
  gui.createPopupMenu(3);
  gui.appendMenuItem(3, 7, "alt", false);
  EXPECT_TRUE(gui.createPopupMenu(3));
  EXPECT_TRUE(gui.menu(3)->empty());
  gui.destroyPopupMenu(3);
  EXPECT_FALSE(gui.popupMenuExists(3));
  EXPECT_EQ(gui.menu(3), nullptr);
}

// --- Modal helpers -----------------------------------------------------------------------

TEST_F(MemoryGuiTest, FileChoicesAreAnsweredInScriptedOrderThenCancelled) {
  gui.scriptFileChoice("C:\\a.c");
  gui.scriptFileChoice("");
  const std::string filter("C (*.c)\0*.c\0\0", 13);
  EXPECT_EQ(gui.chooseFileToOpen("Quellcode", filter), "C:\\a.c");
  EXPECT_EQ(gui.chooseFileToOpen("Quellcode", filter), "");
  EXPECT_EQ(gui.chooseFileToOpen("Quellcode", filter), "");
  ASSERT_EQ(gui.fileDialogs().size(), 3u);
  EXPECT_EQ(gui.fileDialogs()[0].title, "Quellcode");
  EXPECT_EQ(gui.fileDialogs()[0].filter, filter);
}

TEST_F(MemoryGuiTest, ModalBoxesDisableEnabledWindowsOnlyWhileTheyAreUp) {
  gui.openDialogWindow(2, "Neu", 300, 200, 1);
  gui.enableWindow(1, false);
  gui.messageBox("Achtung", "Eine Datei ist ein notwendiges \xDC" "bel.");
  ASSERT_EQ(gui.messages().size(), 1u);
  EXPECT_EQ(gui.messages()[0].title, "Achtung");
  EXPECT_EQ(gui.messages()[0].owner, 2);
  EXPECT_EQ(gui.messages()[0].disabledWindows, (std::vector<int>{2}));
  EXPECT_TRUE(gui.isWindowEnabled(2));
  EXPECT_FALSE(gui.isWindowEnabled(1));

  gui.destroyWindow(2);
  gui.enableWindow(1, true);
  gui.chooseFileToOpen("t", "f");
  EXPECT_EQ(gui.fileDialogs()[0].owner, 0) << "no active window: no owner";
  EXPECT_EQ(gui.fileDialogs()[0].disabledWindows, (std::vector<int>{1}));
  EXPECT_TRUE(gui.isWindowEnabled(1));
}

// --- Overlay ---------------------------------------------------------------------------------

TEST_F(MemoryGuiTest, OverlayRecordsItsDrawingAndItsFont) {
  gui.scriptTextSize("lang", {890, 18});
  ASSERT_TRUE(gui.beginOverlay(1, "Courier New", 12));
  EXPECT_EQ(gui.fontsAlive(), 1);
  EXPECT_EQ(gui.measureText("lang").width, 890);
  EXPECT_EQ(gui.measureText("abc").width, 24);
  EXPECT_EQ(gui.measureText("abc").height, 16);
  gui.fillRectangle(195, 323, 1095, 665, 0);
  gui.drawText(200, 323, "Zeile", rgb(244, 101, 11));
  gui.endOverlay();
  EXPECT_EQ(gui.fontsAlive(), 0);
  EXPECT_FALSE(gui.overlayOpen());
  gui.drawText(0, 0, "after", 0);

  ASSERT_EQ(gui.overlays().size(), 1u);
  EXPECT_EQ(gui.overlays()[0].fontName, "Courier New");
  EXPECT_EQ(gui.overlays()[0].points, 12);
  ASSERT_EQ(gui.painted().size(), 2u);
  EXPECT_EQ(gui.painted()[0].kind, MemoryGui::Painted::Rectangle);
  EXPECT_EQ(gui.painted()[0].right, 1095);
  EXPECT_EQ(gui.painted()[0].bottom, 665);
  EXPECT_EQ(gui.painted()[1].text, "Zeile");
  EXPECT_EQ(gui.painted()[1].colour, 0x000B65F4u);
}

TEST_F(MemoryGuiTest, OverlayWithoutDeviceContextPaintsNothing) {
  gui.canPaint = false;
  EXPECT_FALSE(gui.beginOverlay(1, "Courier New", 12));
  gui.fillRectangle(0, 0, 1, 1, 0);
  EXPECT_TRUE(gui.painted().empty());
  EXPECT_EQ(gui.fontsAlive(), 0);
  EXPECT_EQ(gui.desktopSize().width, 1280);
  EXPECT_EQ(gui.desktopSize().height, 1024);
}

}  // namespace
}  // namespace qk
