#include <cstring>

#include "ui/main/tree_images.h"
#include "win32/gui_fixture.h"

namespace qk::test {
namespace {

constexpr int kTree = 10;

struct Appended {
  const char* text;
  int image;
  int level;      // asked for
  int expected;   // the level the tree gives it
};

// Containers and leaves mixed at every depth, a jump of several levels and
// a level below 0.
const Appended kItems[] = {
    {"root", 2, 0, 0}, {"a.c", 1, 1, 1},  {"lib", 0, 1, 1}, {"b.c", 1, 2, 2},
    {"sub", 0, 2, 2},  {"c.c", 1, 5, 3},  {"d.c", 1, 2, 2}, {"e.c", 1, 1, 1},
    {"Gruppe", 0, 0, 0}, {"f.c", 1, 1, 1}, {"g.c", 1, 0, 0}, {"h.c", 1, -3, 0},
};
constexpr int kItemCount = sizeof kItems / sizeof kItems[0];

struct Walked {
  HTREEITEM item;
  int row;
  int level;
  std::string text;
  int image;
};

void walk(HWND tree, HTREEITEM first, int level, std::vector<Walked>& out) {
  for (HTREEITEM item = first; item; item = TreeView_GetNextSibling(tree, item)) {
    char text[64] = "";
    TVITEMA query{};
    query.mask = TVIF_HANDLE | TVIF_PARAM | TVIF_TEXT | TVIF_IMAGE;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = sizeof text;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
    out.push_back({item, static_cast<int>(query.lParam), level, text, query.iImage});
    walk(tree, TreeView_GetChild(tree, item), level + 1, out);
  }
}

class TreeTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    ASSERT_TRUE(gui.createControl(1, kTree, ControlKind::TreeView, {15, 40, 280, 355}, ""));
  }
  void append(int from, int to) {
    for (int row = from; row < to; ++row)
      gui.appendTreeItem(kTree, kItems[row].text, kItems[row].image, kItems[row].level);
  }
  std::vector<Walked> walked() {
    std::vector<Walked> out;
    walk(control(kTree), TreeView_GetRoot(control(kTree)), 0, out);
    return out;
  }
  void expectItemsInRowOrder(int count) {
    std::vector<Walked> items = walked();
    ASSERT_EQ(static_cast<int>(items.size()), count);
    for (int row = 0; row < count; ++row) {
      SCOPED_TRACE(row);
      EXPECT_EQ(items[row].row, row);
      EXPECT_EQ(items[row].text, kItems[row].text);
      EXPECT_EQ(items[row].level, kItems[row].expected);
      EXPECT_EQ(items[row].image, kItems[row].image);
    }
  }
  std::vector<int> visibleRows() {
    std::vector<int> rows;
    for (int row = gui.firstRootRow(kTree); row >= 0; row = gui.nextVisibleRow(kTree, row))
      rows.push_back(row);
    return rows;
  }
  // The rows the control itself walks with TVGN_NEXTVISIBLE.
  std::vector<int> controlVisibleRows() {
    std::vector<int> rows;
    HWND tree = control(kTree);
    for (HTREEITEM item = TreeView_GetRoot(tree); item; item = TreeView_GetNextVisible(tree, item)) {
      TVITEMA query{};
      query.mask = TVIF_HANDLE | TVIF_PARAM;
      query.hItem = item;
      SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
      rows.push_back(static_cast<int>(query.lParam));
    }
    return rows;
  }
  HTREEITEM itemOf(int row) {
    for (const Walked& item : walked())
      if (item.row == row) return item.item;
    return nullptr;
  }
  bool expanded(int row) {
    HTREEITEM item = itemOf(row);
    return item && (TreeView_GetItemState(control(kTree), item, TVIS_EXPANDED) & TVIS_EXPANDED);
  }
};

TEST_F(TreeTest, ItemsFollowTheAppendRuleAndKeepTheirRowsInLParam) {
  gui.beginRows(kTree, kItemCount);
  append(0, kItemCount);
  EXPECT_EQ(gui.rowCount(kTree), kItemCount);  // seen before the items reach the control
  gui.endRows(kTree);
  expectItemsInRowOrder(kItemCount);
}

TEST_F(TreeTest, TheFirstItemIsTopLevelWhateverItsLevel) {
  gui.appendTreeItem(kTree, "x", 0, 3);
  gui.appendTreeItem(kTree, "y", 0, 2);
  gui.endRows(kTree);
  std::vector<Walked> items = walked();
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].level, 0);
  EXPECT_EQ(items[1].level, 1);
}

TEST_F(TreeTest, ItemsAppendedAfterAQueryGoOnInRowOrder) {
  append(0, 5);
  EXPECT_EQ(gui.selectedRow(kTree), -1);  // a query puts the first items into the control
  append(5, kItemCount);
  gui.endRows(kTree);
  expectItemsInRowOrder(kItemCount);
}

TEST_F(TreeTest, SelectingARowRevealsItAndRaisesNoEvent) {
  append(0, kItemCount);
  gui.endRows(kTree);
  EXPECT_EQ(visibleRows(), (std::vector<int>{0, 8, 10, 11}));
  gui.selectRow(kTree, 5);
  EXPECT_EQ(gui.selectedRow(kTree), 5);
  EXPECT_TRUE(expanded(0));
  EXPECT_TRUE(expanded(2));
  EXPECT_TRUE(expanded(4));
  EXPECT_FALSE(expanded(8));
  EXPECT_TRUE(controlEventsSoFar().empty());
  gui.selectRow(kTree, kItemCount);
  EXPECT_EQ(gui.selectedRow(kTree), -1);
}

TEST_F(TreeTest, WalkingVisibleRowsExpandsAndCollapses) {
  append(0, kItemCount);
  gui.endRows(kTree);
  for (int row = gui.firstRootRow(kTree); row >= 0; row = gui.nextVisibleRow(kTree, row))
    gui.expandRow(kTree, row);
  std::vector<int> all;
  for (int row = 0; row < kItemCount; ++row) all.push_back(row);
  EXPECT_EQ(visibleRows(), all);
  for (int row = gui.firstRootRow(kTree); row >= 0; row = gui.nextVisibleRow(kTree, row))
    gui.collapseRow(kTree, row);
  EXPECT_EQ(visibleRows(), (std::vector<int>{0, 8, 10, 11}));
  EXPECT_TRUE(expanded(2));  // below a collapsed item the state stays
  gui.ensureRowVisible(kTree, 6);
  EXPECT_TRUE(expanded(0));
}

TEST_F(TreeTest, NextVisibleRowAnswersAsTheControlDoes) {
  append(0, kItemCount);
  gui.endRows(kTree);
  EXPECT_EQ(visibleRows(), controlVisibleRows());
  gui.selectRow(kTree, 5);  // expands rows 0, 2 and 4
  EXPECT_EQ(visibleRows(), controlVisibleRows());
  gui.collapseRow(kTree, 2);
  EXPECT_EQ(visibleRows(), controlVisibleRows());
  EXPECT_EQ(gui.nextVisibleRow(kTree, 3), -1);  // below the collapsed row 2
  // Expanded by the user, not through the Gui.
  TreeView_Expand(control(kTree), itemOf(8), TVE_EXPAND);
  EXPECT_EQ(visibleRows(), controlVisibleRows());
  EXPECT_EQ(gui.nextVisibleRow(kTree, kItemCount - 1), -1);
  EXPECT_EQ(gui.nextVisibleRow(kTree, kItemCount), -1);
}

TEST_F(TreeTest, ClearingEmptiesTheTreeAndRowsStartAgainAtZero) {
  append(0, kItemCount);
  gui.endRows(kTree);
  gui.clearRows(kTree);
  EXPECT_EQ(gui.rowCount(kTree), 0);
  EXPECT_EQ(gui.firstRootRow(kTree), -1);
  EXPECT_EQ(TreeView_GetCount(control(kTree)), 0u);
  append(0, 3);
  gui.endRows(kTree);
  expectItemsInRowOrder(3);
}

TEST_F(TreeTest, BulkFillingKeepsAHiddenTreeHidden) {
  gui.showControl(kTree, false);
  gui.beginRows(kTree, kItemCount);
  append(0, kItemCount);
  gui.endRows(kTree);
  EXPECT_FALSE(IsWindowVisible(control(kTree)));
  gui.showControl(kTree, true);
  gui.beginRows(kTree, 0);
  gui.endRows(kTree);
  EXPECT_TRUE(IsWindowVisible(control(kTree)));
}

TEST_F(TreeTest, RightClickSelectsTheItemUnderTheMouseFirst) {
  append(0, kItemCount);
  gui.endRows(kTree);
  gui.selectRow(kTree, 0);
  HWND tree = control(kTree);
  HTREEITEM target = TreeView_GetNextSibling(tree, TreeView_GetRoot(tree));  // row 8
  RECT rect{};
  std::memcpy(&rect, &target, sizeof target);  // TVM_GETITEMRECT takes the item in the RECT
  ASSERT_TRUE(SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect)));
  POINT point{rect.left + 4, (rect.top + rect.bottom) / 2};
  POINT screen = point;
  ClientToScreen(tree, &screen);
  SetCursorPos(screen.x, screen.y);
  LPARAM at = MAKELPARAM(point.x, point.y);
  PostMessageA(tree, WM_RBUTTONDOWN, MK_RBUTTON, at);
  PostMessageA(tree, WM_RBUTTONUP, 0, at);
  std::vector<Event> events = controlEventsSoFar();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].control, kTree);
  EXPECT_EQ(events[0].type, kTreeRightClick);
  EXPECT_EQ(gui.selectedRow(kTree), 8);

  // On empty space below the items the selection stays.
  POINT below{20, 340};
  ClientToScreen(tree, &below);
  SetCursorPos(below.x, below.y);
  PostMessageA(tree, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 340));
  PostMessageA(tree, WM_RBUTTONUP, 0, MAKELPARAM(20, 340));
  EXPECT_EQ(controlEventsSoFar().size(), 1u);
  EXPECT_EQ(gui.selectedRow(kTree), 8);
}

TEST_F(TreeTest, TheSharedImageListHoldsTheThreeImages) {
  ASSERT_TRUE(gui.setTreeImages(decodeTreeImages()));
  ASSERT_TRUE(gui.createControl(1, 9, ControlKind::TreeView, {0, 0, 50, 50}, ""));
  auto list = reinterpret_cast<HIMAGELIST>(SendMessageA(control(9), TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list, reinterpret_cast<HIMAGELIST>(
                      SendMessageA(control(kTree), TVM_GETIMAGELIST, TVSIL_NORMAL, 0)));
  EXPECT_EQ(ImageList_GetImageCount(list), 3);
  int width = 0, height = 0;
  ImageList_GetIconSize(list, &width, &height);
  EXPECT_EQ(width, 16);
  EXPECT_EQ(height, 16);
}

}  // namespace
}  // namespace qk::test
