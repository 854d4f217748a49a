#include "ui/main/details.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sources/file_facts.h"
#include "support/program_fixture.h"
#include "ui/main/ids.h"
#include "ui/main/views.h"

namespace qk {
namespace {

class DetailsTest : public ::testing::Test {
 protected:
  void SetUp() override { f.openMainWindow(); }

  std::vector<std::string> names() { return f.control(kNameList).rows; }

  // Items of the menu last shown: id, or -1 for a separator, with the text.
  struct Item {
    int id;
    std::string text;
    bool checked, greyed;
    bool operator==(const Item& o) const {
      return id == o.id && text == o.text && checked == o.checked && greyed == o.greyed;
    }
  };
  std::vector<Item> lastMenu() {
    std::vector<Item> items;
    for (const MemoryGui::MenuItem& item : f.gui.shownMenus().back().items)
      items.push_back({item.separator ? -1 : item.id, item.text, item.checked, item.greyed});
    return items;
  }

  test::ProgramFixture f;
};

TEST_F(DetailsTest, ShowsTheEightLinesAndTheDescription) {
  CatalogEntry& beta = f.addEntry("Beta", ".\\tools\\b.c");
  beta.typeCode = 5;
  beta.modified = static_cast<int32_t>(dateFromFields(2009, 3, 5, 14, 7, 9));
  beta.lineCount = 120;
  beta.author = "Vuz";
  beta.description = "erste Zeile\r\nzweite Zeile";
  showEntryDetails(f.program, beta.entryIndex);
  EXPECT_EQ(f.gui.text(kDetailsText),
            "Name: Beta\n\nOrt: .\\tools\\b.c\n\nTyp: C Quellcode\nDatum: 14:07:09 05.03.2009\n"
            "Zeilen: 120\nAutor: Vuz");
  EXPECT_EQ(f.gui.text(kDescriptionText), "erste Zeile\r\nzweite Zeile");

  showEntryDetails(f.program, -1);
  showEntryDetails(f.program, 7);
  EXPECT_EQ(f.gui.text(kDetailsText).rfind("Name: Beta\n", 0), 0u);
}

TEST_F(DetailsTest, DeleteRemovesTheSelectedEntryAndRenumbers) {
  f.addEntry("Zeta", ".\\z.c");
  f.addEntry("Beta", ".\\b.c");
  f.addEntry("Alpha", ".\\a.c");
  rebuildViews(f.program);

  deleteSelectedEntry(f.program);  // nothing selected
  EXPECT_EQ(names(), (std::vector<std::string>{"Alpha", "Beta", "Zeta"}));

  f.program.catalog.selectedEntryIndex = 1;  // Beta
  showEntryDetails(f.program, 1);
  deleteSelectedEntry(f.program);
  EXPECT_EQ(names(), (std::vector<std::string>{"Alpha", "Zeta"}));
  const std::vector<CatalogEntry>& entries = f.program.catalog.entries.elements();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].entryIndex, 0);
  EXPECT_EQ(entries[1].entryIndex, 1);
  EXPECT_EQ(f.program.catalog.nextEntryIndex, 2);
  EXPECT_EQ(f.program.catalog.selectedEntryIndex, -1);
  EXPECT_EQ(f.gui.text(kDetailsText), "");
  EXPECT_EQ(f.gui.text(kDescriptionText), "");
}

TEST_F(DetailsTest, DeletingTheOnlyEntryLeavesAnEmptyCatalog) {
  f.addEntry("Solo", ".\\lib\\s.c");
  rebuildViews(f.program);
  f.program.catalog.selectedEntryIndex = 0;
  deleteSelectedEntry(f.program);
  EXPECT_EQ(f.program.catalog.entries.countElements(), 0);
  EXPECT_EQ(f.program.catalog.nextEntryIndex, 0);
  EXPECT_EQ(f.gui.rowCount(kNameList), 0);
  EXPECT_EQ(f.gui.rowCount(kFolderTree), 1);
}

TEST_F(DetailsTest, GroupMenuListsTheGroupsWithTheCheckMark) {
  addGroup(f.program.catalog, "Netz");
  addGroup(f.program.catalog, "Werkzeuge");
  f.addEntry("Beta", ".\\b.c", 1);
  rebuildViews(f.program);
  showGroupMenu(f.program, 0);
  ASSERT_EQ(f.gui.shownMenus().size(), 1u);
  EXPECT_EQ(f.gui.shownMenus()[0].menu, kGroupTreeMenu);
  EXPECT_EQ(f.gui.shownMenus()[0].owner, kMainWindow);
  EXPECT_EQ(lastMenu(), (std::vector<Item>{{64996, "Alles Ausklappen", false, false},
                                           {64997, "Alles Einklappen", false, false},
                                           {-1, "", false, false},
                                           {-1, "", false, false},
                                           {65000, "Gruppen", false, true},
                                           {0, "Netz", false, false},
                                           {1, "Werkzeuge", true, false},
                                           {-1, "", false, false},
                                           {2, "[Keine Gruppe]", false, false}}));

  // Built anew at every showing: a new group shows, the entry without a
  // group has no check mark anywhere.
  addGroup(f.program.catalog, "Neu");
  f.program.catalog.entries.elements()[0].groupId = -1;
  showGroupMenu(f.program, 0);
  std::vector<Item> items = lastMenu();
  ASSERT_EQ(items.size(), 10u);
  EXPECT_EQ(items[7], (Item{2, "Neu", false, false}));
  EXPECT_EQ(items[9], (Item{3, "[Keine Gruppe]", false, false}));
  for (const Item& item : items) EXPECT_FALSE(item.checked) << item.text;
}

TEST_F(DetailsTest, GroupMenuWithoutGroupsAndChoosingFromIt) {
  f.addEntry("Beta", ".\\b.c", 0);
  rebuildViews(f.program);
  f.program.catalog.selectedEntryIndex = 0;
  showGroupMenu(f.program, 0);
  EXPECT_EQ(lastMenu(), (std::vector<Item>{{64996, "Alles Ausklappen", false, false},
                                           {64997, "Alles Einklappen", false, false},
                                           {-1, "", false, false},
                                           {-1, "", false, false},
                                           {65000, "Gruppen", false, true},
                                           {-1, "", false, false},
                                           {0, "[Keine Gruppe]", false, false}}));
  handleMenuEvent(f.program, 0);  // "[Keine Gruppe]"
  EXPECT_EQ(f.program.catalog.entries.elements()[0].groupId, -1);
}

TEST_F(DetailsTest, AssigningAGroupRebuildsTheViews) {
  addGroup(f.program.catalog, "Netz");
  addGroup(f.program.catalog, "Werkzeuge");
  f.addEntry("Beta", ".\\b.c", -1);
  rebuildViews(f.program);
  f.program.catalog.selectedEntryIndex = 0;
  showEntryDetails(f.program, 0);
  const std::string details = f.gui.text(kDetailsText);
  handleMenuEvent(f.program, 1);
  EXPECT_EQ(f.program.catalog.entries.elements()[0].groupId, 1);
  EXPECT_EQ(f.control(kGroupTree).items[2].text, "Beta");
  EXPECT_EQ(f.control(kGroupTree).items[2].parent, 1);
  EXPECT_EQ(f.program.catalog.selectedEntryIndex, 0);
  EXPECT_EQ(f.gui.text(kDetailsText), details);

  f.gui.selectRow(kGroupTree, 2);
  handleMenuEvent(f.program, 1);  // the group it is in already: still a rebuild
  EXPECT_EQ(f.gui.selectedRow(kGroupTree), -1);
  handleMenuEvent(f.program, 65000);
  handleMenuEvent(f.program, 64995);
  EXPECT_EQ(f.program.catalog.entries.elements()[0].groupId, 1);
}

class TreeMenuTest : public DetailsTest {
 protected:
  void SetUp() override {
    DetailsTest::SetUp();
    addGroup(f.program.catalog, "G");
    f.addEntry("a", ".\\lib\\sub\\a.c", 0);
    f.addEntry("b", ".\\lib\\b.c", 0);
    f.addEntry("c", "..\\x\\c.c", -1);
    rebuildViews(f.program);
  }
  int visibleRows(int tree) {
    int visible = 0;
    for (int row = 0; row < f.gui.rowCount(tree); ++row) visible += f.gui.rowVisible(tree, row);
    return visible;
  }
};

TEST_F(TreeMenuTest, ExpandAndCollapseAllThroughTheMenus) {
  const int folderRows = f.gui.rowCount(kFolderTree);
  handleMenuEvent(f.program, kMenuFolderExpandAll);
  EXPECT_EQ(visibleRows(kFolderTree), folderRows);
  EXPECT_EQ(f.control(kFolderTree).scrolledTo, 0);

  handleMenuEvent(f.program, kMenuFolderCollapseAll);
  EXPECT_EQ(visibleRows(kFolderTree), 1);  // only "root"
  f.gui.expandRow(kFolderTree, 0);         // the folders below kept their state
  EXPECT_EQ(visibleRows(kFolderTree), folderRows);

  handleMenuEvent(f.program, kMenuGroupExpandAll);
  EXPECT_EQ(visibleRows(kGroupTree), f.gui.rowCount(kGroupTree));
  handleMenuEvent(f.program, kMenuGroupCollapseAll);
  EXPECT_EQ(visibleRows(kGroupTree), 2);  // G and c
}

}  // namespace
}  // namespace qk
