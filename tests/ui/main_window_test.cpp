#include "ui/main/main_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/program_fixture.h"
#include "ui/main/ids.h"

namespace qk {
namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  void open(int stdtab = 1) {
    f.program.options.opt_stdtab = static_cast<int8_t>(stdtab);
    f.openMainWindow();
  }
  bool visible(int control) { return f.control(control).visible; }
  test::ProgramFixture f;
};

struct Created {
  int control;
  ControlKind kind;
  Rect where;
  std::string text;
  bool visible;
};

TEST_F(MainWindowTest, CreatesTheFifteenControlsInOrder) {
  open(0);
  const std::vector<Created> expected{
      {1, ControlKind::GroupBox, {5, 5, 300, 400}, "Meine Bibliothek", true},
      {2, ControlKind::ListBox, {15, 30, 280, 375}, "", true},
      {3, ControlKind::StaticText, {315, 15, 200, 205}, "", true},
      {4, ControlKind::ReadOnlyMultiLineEdit, {315, 225, 200, 180}, "", true},
      {5, ControlKind::PushButton, {5, 410, 75, 20}, "Hinzuf\xFCgen", true},
      {6, ControlKind::PushButton, {80, 410, 75, 20}, "Bearbeiten", true},
      {7, ControlKind::PushButton, {155, 410, 75, 20}, "L\xF6schen", true},
      {8, ControlKind::PushButton, {230, 410, 75, 20}, "Editor", true},
      {9, ControlKind::TreeView, {15, 20, 280, 375}, "", false},
      {10, ControlKind::TreeView, {15, 20, 280, 375}, "", false},
      {12, ControlKind::PushButton, {465, 412, 50, 20}, "...", false},
      {11, ControlKind::TabStrip, {315, 410, 150, 20}, "", true},
      {13, ControlKind::PushButton, {305, 410, 75, 20}, "Optionen", true},
      {14, ControlKind::PushButton, {305, 410, 75, 20}, "Autosave", true},
      {15, ControlKind::PushButton, {-1, -1, -1, -1}, "?", true},
  };
  std::vector<int> order;
  for (const Created& c : expected) {
    order.push_back(c.control);
    const MemoryGui::Control& made = f.control(c.control);
    EXPECT_EQ(made.window, kMainWindow) << c.control;
    EXPECT_EQ(made.kind, c.kind) << c.control;
    EXPECT_EQ(made.rect, c.where) << c.control;
    EXPECT_EQ(made.text, c.text) << c.control;
    EXPECT_EQ(made.visible, c.visible) << c.control;
  }
  EXPECT_EQ(f.gui.creationOrder(), order);
  EXPECT_TRUE(f.control(kDescriptionText).hasBackground);
  EXPECT_EQ(f.control(kDescriptionText).background, rgb(235, 235, 228));
  EXPECT_EQ(f.control(kViewTabs).rows, (std::vector<std::string>{"Standart", "Gruppe", "Ordner"}));
}

TEST_F(MainWindowTest, TheStartTabDecidesWhatIsVisible) {
  struct Case {
    int stdtab, selectedTab;
    bool list, groups, folders, groupsButton;
  };
  for (Case c : {Case{0, 0, true, false, false, false}, Case{1, 1, false, true, false, true},
                 Case{2, 2, false, false, true, false}, Case{7, -1, true, false, false, false}}) {
    test::ProgramFixture fresh;
    fresh.program.options.opt_stdtab = static_cast<int8_t>(c.stdtab);
    fresh.openMainWindow();
    SCOPED_TRACE("opt_stdtab " + std::to_string(c.stdtab));
    EXPECT_EQ(fresh.gui.selectedRow(kViewTabs), c.selectedTab);
    EXPECT_EQ(fresh.control(kNameList).visible, c.list);
    EXPECT_EQ(fresh.control(kGroupTree).visible, c.groups);
    EXPECT_EQ(fresh.control(kFolderTree).visible, c.folders);
    EXPECT_EQ(fresh.control(kGroupsButton).visible, c.groupsButton);
  }
}

TEST_F(MainWindowTest, ShowViewForTabLeavesOtherNumbersAlone) {
  open(2);
  showViewForTab(f.program, 1);
  EXPECT_TRUE(visible(kGroupTree));
  EXPECT_TRUE(visible(kGroupsButton));
  EXPECT_FALSE(visible(kFolderTree));
  showViewForTab(f.program, 3);
  showViewForTab(f.program, -1);
  EXPECT_FALSE(visible(kNameList));
  EXPECT_TRUE(visible(kGroupTree));
  EXPECT_TRUE(visible(kGroupsButton));
}

struct Placed {
  int control;
  Rect where;
};

TEST_F(MainWindowTest, LayoutAt520x440) {
  open();
  layoutMainWindow(f.program);
  for (Placed p :
       {Placed{1, {5, 5, 300, 400}}, Placed{2, {15, 40, 280, 355}}, Placed{9, {15, 40, 280, 355}},
        Placed{10, {15, 40, 280, 355}}, Placed{3, {315, 15, 200, 205}},
        Placed{4, {315, 225, 200, 180}}, Placed{5, {5, 410, 75, 20}}, Placed{6, {80, 410, 75, 20}},
        Placed{7, {155, 410, 75, 20}}, Placed{8, {230, 410, 75, 20}}, Placed{12, {245, 20, 50, 20}},
        Placed{11, {15, 20, 150, 20}}, Placed{13, {305, 410, 75, 20}},
        Placed{14, {380, 410, 75, 20}}, Placed{15, {495, 410, 20, 20}}})
    EXPECT_EQ(f.control(p.control).rect, p.where) << p.control;
}

TEST_F(MainWindowTest, LayoutAt800x600) {
  open();
  f.gui.resizeByUser(kMainWindow, 800, 600);
  layoutMainWindow(f.program);
  for (Placed p :
       {Placed{1, {5, 5, 580, 560}}, Placed{2, {15, 40, 560, 515}}, Placed{10, {15, 40, 560, 515}},
        Placed{3, {595, 15, 200, 205}}, Placed{4, {595, 225, 200, 340}},
        Placed{5, {5, 570, 75, 20}}, Placed{12, {525, 20, 50, 20}}, Placed{14, {380, 570, 75, 20}},
        Placed{15, {775, 570, 20, 20}}})
    EXPECT_EQ(f.control(p.control).rect, p.where) << p.control;
}

TEST_F(MainWindowTest, TooSmallSpringsBackWithOneMoreSizeEventPerCorrection) {
  struct Case {
    int width, height;
    TextSize after;
    size_t sizeEvents;
  };
  for (Case c : {Case{300, 200, {520, 440}, 2}, Case{700, 300, {700, 440}, 1},
                 Case{400, 500, {520, 500}, 1}, Case{520, 440, {520, 440}, 0}}) {
    test::ProgramFixture fresh;
    fresh.openMainWindow();
    fresh.gui.resizeByUser(kMainWindow, c.width, c.height);
    fresh.gui.waitEvent();
    layoutMainWindow(fresh.program);
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    TextSize size = fresh.gui.clientSize(kMainWindow);
    EXPECT_EQ(size.width, c.after.width);
    EXPECT_EQ(size.height, c.after.height);
    EXPECT_EQ(fresh.gui.pendingEvents(), c.sizeEvents);
    EXPECT_EQ(fresh.control(kAboutButton).rect,
              (Rect{c.after.width - 25, c.after.height - 30, 20, 20}));
  }
}

TEST_F(MainWindowTest, FolderTreeMenuHasItsTwoItems) {
  open();
  const std::vector<MemoryGui::MenuItem>* menu = f.gui.menu(kFolderTreeMenu);
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->size(), 2u);
  EXPECT_EQ((*menu)[0].id, 64998);
  EXPECT_EQ((*menu)[0].text, "Alles Ausklappen");
  EXPECT_EQ((*menu)[1].id, 64999);
  EXPECT_EQ((*menu)[1].text, "Alles Einklappen");
}

TEST_F(MainWindowTest, ClosingADialogEnablesTheMainWindowFirst) {
  open();
  struct Case {
    int window, owner, activeAfter;
  };
  for (Case c :
       {Case{kAddWindow, kMainWindow, kMainWindow}, Case{kEditWindow, kMainWindow, kMainWindow},
        Case{kGroupsWindow, 0, 0}, Case{kOptionsWindow, 0, 0}}) {
    ASSERT_TRUE(f.gui.openDialogWindow(c.window, "Dialog", 200, 100, c.owner));
    f.gui.enableWindow(kMainWindow, false);
    closeDialog(f.program, c.window);
    EXPECT_FALSE(f.gui.hasWindow(c.window)) << c.window;
    EXPECT_TRUE(f.gui.isWindowEnabled(kMainWindow)) << c.window;
    EXPECT_EQ(f.gui.activeWindow(), c.activeAfter) << c.window;
  }
  closeDialog(f.program, kMainWindow);
  EXPECT_TRUE(f.gui.hasWindow(kMainWindow));
}

}  // namespace
}  // namespace qk
