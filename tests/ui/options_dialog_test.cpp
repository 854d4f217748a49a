// The options dialog: the initial states, the default-group list with its
// " [Keine Gruppe]" row, OK taking the six values and Abbruch taking none.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/dialog_fixture.h"

namespace qk::test {
namespace {

const char kNoGroup[] = " [Keine Gruppe]";

class OptionsDialogTest : public DialogTest {
 public:
  void addGroups(int count) {
    const char* names[] = {"A", "B", "C"};
    for (int i = 0; i < count; ++i) addGroup(program.catalog, names[i]);
  }
};

TEST_F(OptionsDialogTest, OpensWithTheCurrentValues) {
  program.options.opt_ungroupnode = 1;
  program.options.opt_treeexpand = 0;
  program.options.opt_stdtab = 2;
  program.options.opt_stdautor = "Anna";
  program.options.opt_addpattern = "|Eigene|*.abc";
  openOptionsDialog(program);
  EXPECT_EQ(gui.checkState(kOptionsUngroupNode), 1);
  EXPECT_EQ(gui.checkState(kOptionsTreeExpand), 0);
  EXPECT_EQ(rows(kOptionsTab), (std::vector<std::string>{"Liste", "Gruppen", "Ordner"}));
  EXPECT_EQ(gui.selectedRow(kOptionsTab), 2);
  EXPECT_EQ(gui.text(kOptionsAuthor), "Anna");
  EXPECT_EQ(gui.text(kOptionsPattern), "|Eigene|*.abc");
}

struct DefaultGroupCase {
  const char* name;
  int groups;
  int32_t defaultGroup;
  std::vector<std::string> rows;
  int selected;
  int32_t afterOk;
};
void PrintTo(const DefaultGroupCase& c, std::ostream* os) { *os << c.name; }

class OptionsDefaultGroupTest : public OptionsDialogTest,
                                public ::testing::WithParamInterface<DefaultGroupCase> {};

TEST_P(OptionsDefaultGroupTest, ListShowsTheGroupsAndOkWithoutChangesKeepsWhatNamesAGroup) {
  const DefaultGroupCase& c = GetParam();
  addGroups(c.groups);
  program.options.opt_stdgruppe = c.defaultGroup;
  openOptionsDialog(program);
  EXPECT_EQ(rows(kOptionsGroup), c.rows);
  EXPECT_EQ(gui.selectedRow(kOptionsGroup), c.selected);
  press(kOptionsOk);
  EXPECT_EQ(program.options.opt_stdgruppe, c.afterOk);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OptionsDefaultGroupTest,
    ::testing::Values(DefaultGroupCase{"SecondGroup", 2, 1, {"A", "B", kNoGroup}, 1, 1},
                      DefaultGroupCase{"NoGroups", 0, -1, {kNoGroup}, 0, -1},
                      DefaultGroupCase{"NoDefault", 3, -1, {"A", "B", "C", kNoGroup}, 3, -1},
                      DefaultGroupCase{"StaleDefault", 2, 5, {"A", "B", kNoGroup}, -1, -1}),
    CaseName());

TEST_F(OptionsDialogTest, OkTakesOverEveryValueAsTheUserLeftIt) {
  addGroups(2);
  program.options.opt_stdgruppe = 1;
  openOptionsDialog(program);
  gui.userChecks(kOptionsUngroupNode, 1);
  gui.userChecks(kOptionsTreeExpand, 1);
  gui.userSelects(kOptionsTab, 0);
  gui.userTypes(kOptionsAuthor, "");
  gui.userTypes(kOptionsPattern, "|Eigene|*.abc\r\n");
  gui.userSelects(kOptionsGroup, 2);  // " [Keine Gruppe]"
  press(kOptionsOk);
  EXPECT_EQ(program.options.opt_ungroupnode, 1);
  EXPECT_EQ(program.options.opt_treeexpand, 1);
  EXPECT_EQ(program.options.opt_stdtab, 0);
  EXPECT_EQ(program.options.opt_stdautor, "");
  EXPECT_EQ(program.options.opt_addpattern, "|Eigene|*.abc\r\n");
  EXPECT_EQ(program.options.opt_stdgruppe, -1);
  EXPECT_FALSE(gui.hasWindow(kOptionsWindow));
  EXPECT_TRUE(gui.isWindowEnabled(kMainWindow));
}

TEST_F(OptionsDialogTest, NewDefaultViewLeavesTheShownViewAlone) {
  program.options.opt_stdtab = 0;
  const int shownTab = gui.selectedRow(kViewTabs);
  openOptionsDialog(program);
  gui.userSelects(kOptionsTab, 2);
  press(kOptionsOk);
  EXPECT_EQ(program.options.opt_stdtab, 2);
  EXPECT_EQ(gui.selectedRow(kViewTabs), shownTab);
}

TEST_F(OptionsDialogTest, AbbruchTakesOverNothing) {
  addGroups(2);
  program.options.opt_stdgruppe = 0;
  program.options.opt_stdautor = "Anna";
  const Options before = program.options;
  openOptionsDialog(program);
  gui.userChecks(kOptionsUngroupNode, 1);
  gui.userSelects(kOptionsTab, 2);
  gui.userTypes(kOptionsAuthor, "Bert");
  gui.userTypes(kOptionsPattern, "|Eigene|*.abc");
  gui.userSelects(kOptionsGroup, 1);
  press(kOptionsCancel);
  EXPECT_EQ(program.options.opt_ungroupnode, before.opt_ungroupnode);
  EXPECT_EQ(program.options.opt_stdtab, before.opt_stdtab);
  EXPECT_EQ(program.options.opt_stdautor, "Anna");
  EXPECT_EQ(program.options.opt_addpattern, before.opt_addpattern);
  EXPECT_EQ(program.options.opt_stdgruppe, 0);
  EXPECT_FALSE(gui.hasWindow(kOptionsWindow));
  EXPECT_TRUE(gui.isWindowEnabled(kMainWindow));
}

}  // namespace
}  // namespace qk::test
