// The group management dialog: creating, renaming and deleting groups with
// the renumbering that keeps every other entry, and the default group, in
// its group.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/dialog_fixture.h"

namespace qk::test {
namespace {

class GroupsDialogTest : public DialogTest {
 public:
  bool enabled(int control) { return gui.control(control)->enabled; }
  void expectRenameAndDeleteEnabled(bool expected) {
    EXPECT_EQ(enabled(kGroupsRenameName), expected);
    EXPECT_EQ(enabled(kGroupsRename), expected);
    EXPECT_EQ(enabled(kGroupsDelete), expected);
  }
  void select(int row) {
    gui.userSelects(kGroupsList, row);
    press(kGroupsList);
  }
  void create(const std::string& name) {
    gui.userTypes(kGroupsNewName, name);
    press(kGroupsNew);
  }
  void addEntryInGroup(const std::string& name, int32_t groupId) {
    CatalogEntry& e = addEntry(program.catalog);
    e.name = name;
    e.location = ".\\" + name;
    e.groupId = groupId;
  }
  std::vector<std::string> groupNames() {
    std::vector<std::string> names;
    for (const CatalogGroup& g : program.catalog.groups.elements()) names.push_back(g.name);
    return names;
  }
};

TEST_F(GroupsDialogTest, OpensWithTheGroupsAndNothingSelected) {
  for (const char* name : {"A", "B"}) addGroup(program.catalog, name);
  openGroupsDialog(program);
  EXPECT_EQ(rows(kGroupsList), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(gui.selectedRow(kGroupsList), -1);
  expectRenameAndDeleteEnabled(false);
  EXPECT_TRUE(enabled(kGroupsNewName));
  EXPECT_TRUE(enabled(kGroupsNew));
}

TEST_F(GroupsDialogTest, NeuAppendsWithTheNextIdAndIgnoresAnEmptyName) {
  openGroupsDialog(program);
  create("");
  EXPECT_EQ(program.catalog.groups.countElements(), 0);
  create("Tools");
  create("Web");
  EXPECT_EQ(groupNames(), (std::vector<std::string>{"Tools", "Web"}));
  EXPECT_EQ(program.catalog.groups.elements()[1].groupId, 1);
  EXPECT_EQ(rows(kGroupsList), (std::vector<std::string>{"Tools", "Web"}));
  EXPECT_EQ(gui.text(kGroupsNewName), "");
}

TEST_F(GroupsDialogTest, SelectingFillsTheRenameFieldAndNeuDropsTheSelection) {
  for (const char* name : {"A", "B"}) addGroup(program.catalog, name);
  openGroupsDialog(program);
  select(1);
  EXPECT_EQ(gui.text(kGroupsRenameName), "B");
  expectRenameAndDeleteEnabled(true);

  create("C");
  EXPECT_EQ(gui.selectedRow(kGroupsList), -1);
  EXPECT_EQ(gui.text(kGroupsRenameName), "B");
  expectRenameAndDeleteEnabled(true);
  press(kGroupsRename);  // no row selected: nothing happens
  EXPECT_EQ(groupNames(), (std::vector<std::string>{"A", "B", "C"}));
}

TEST_F(GroupsDialogTest, AendernRenamesInPlaceAndAcceptsAnEmptyName) {
  for (const char* name : {"A", "B"}) addGroup(program.catalog, name);
  addEntryInGroup("y", 1);
  openGroupsDialog(program);
  select(1);
  gui.userTypes(kGroupsRenameName, "");
  press(kGroupsRename);
  EXPECT_EQ(groupNames(), (std::vector<std::string>{"A", ""}));
  EXPECT_EQ(program.catalog.groups.elements()[1].groupId, 1);
  EXPECT_EQ(entry(0)->groupId, 1);
  EXPECT_EQ(rows(kGroupsList), (std::vector<std::string>{"A", ""}));
  EXPECT_EQ(gui.selectedRow(kGroupsList), -1);
  expectRenameAndDeleteEnabled(false);
}

struct DefaultGroupCase {
  const char* name;
  int32_t before;
  int32_t after;
};
void PrintTo(const DefaultGroupCase& c, std::ostream* os) { *os << c.name; }

class GroupsDeleteTest : public GroupsDialogTest,
                         public ::testing::WithParamInterface<DefaultGroupCase> {};

// Groups A, B, C; x in A, y in B, z in C, w in none; B is deleted.
TEST_P(GroupsDeleteTest, DeletingBDetachesItsEntriesAndRenumbersTheRest) {
  for (const char* name : {"A", "B", "C"}) addGroup(program.catalog, name);
  addEntryInGroup("x", 0);
  addEntryInGroup("y", 1);
  addEntryInGroup("z", 2);
  addEntryInGroup("w", -1);
  program.options.opt_stdgruppe = GetParam().before;
  openGroupsDialog(program);
  select(1);
  press(kGroupsDelete);

  EXPECT_EQ(groupNames(), (std::vector<std::string>{"A", "C"}));
  EXPECT_EQ(program.catalog.groups.elements()[1].groupId, 1);
  EXPECT_EQ(entry(0)->groupId, 0);
  EXPECT_EQ(entry(1)->groupId, -1);
  EXPECT_EQ(entry(2)->groupId, 1);
  EXPECT_EQ(entry(3)->groupId, -1);
  EXPECT_EQ(program.options.opt_stdgruppe, GetParam().after);
  EXPECT_EQ(rows(kGroupsList), (std::vector<std::string>{"A", "C"}));
  EXPECT_EQ(gui.selectedRow(kGroupsList), -1);
  EXPECT_EQ(gui.text(kGroupsRenameName), "");
  expectRenameAndDeleteEnabled(false);
  // The views are rebuilt at once: the group tree no longer shows B.
  const std::vector<std::string> tree = treeTexts(kGroupTree);
  EXPECT_NE(std::find(tree.begin(), tree.end(), "C"), tree.end());
  EXPECT_EQ(std::find(tree.begin(), tree.end(), "B"), tree.end());

  create("D");
  EXPECT_EQ(program.catalog.groups.elements()[2].groupId, 2);
}

INSTANTIATE_TEST_SUITE_P(DefaultGroup, GroupsDeleteTest,
                         ::testing::Values(DefaultGroupCase{"WasDeleted", 1, -1},
                                           DefaultGroupCase{"After", 2, 1},
                                           DefaultGroupCase{"Before", 0, 0},
                                           DefaultGroupCase{"None", -1, -1},
                                           DefaultGroupCase{"NamesNoGroup", 5, 5}),
                         CaseName());

TEST_F(GroupsDialogTest, LoeschenWithoutSelectionStillRebuildsTheViews) {
  addGroup(program.catalog, "A");
  openGroupsDialog(program);
  addEntryInGroup("neu.c", 0);
  press(kGroupsDelete);
  EXPECT_EQ(groupNames(), std::vector<std::string>{"A"});
  EXPECT_EQ(rows(kNameList), std::vector<std::string>{"neu.c"});
}

TEST_F(GroupsDialogTest, DeletingTheOnlyGroupLeavesAnEmptyList) {
  addGroup(program.catalog, "A");
  addEntryInGroup("x", 0);
  openGroupsDialog(program);
  select(0);
  press(kGroupsDelete);
  EXPECT_TRUE(rows(kGroupsList).empty());
  EXPECT_EQ(entry(0)->groupId, -1);
}

}  // namespace
}  // namespace qk::test
