// Journeys through the three views, the details panel and the group menu,
// with the five entries Alpha, Beta, Delta, Epsilon and Gamma.
#include "catalog/catalog_file.h"
#include "e2e/journey.h"
#include "platform/system.h"

namespace qk::e2e {
namespace {

constexpr int kNameList = 2;
constexpr int kDetailsText = 3;
constexpr int kDescriptionText = 4;
constexpr int kDeleteButton = 7;
constexpr int kGroupTree = 9;
constexpr int kFolderTree = 10;
constexpr int kImageFolder = 0;
constexpr int kImageEntry = 1;
constexpr int kImageBox = 2;

struct Row {
  std::string text;
  int level;
  int image;
  bool operator==(const Row& other) const {
    return text == other.text && level == other.level && image == other.image;
  }
};

void PrintTo(const Row& row, std::ostream* out) {
  *out << "{" << row.text << ", level " << row.level << ", image " << row.image << "}";
}

std::vector<Row> rowsOf(const std::vector<TreeItem>& items) {
  std::vector<Row> rows;
  for (const TreeItem& item : items) rows.push_back({item.text, item.level, item.image});
  return rows;
}

const TreeItem* itemNamed(const std::vector<TreeItem>& items, const std::string& text) {
  for (const TreeItem& item : items) {
    if (item.text == text) return &item;
  }
  return nullptr;
}

// Alpha .\a.c, Beta .\tools\b.c, Delta .\lib\sub\d.c, Epsilon .\lib\e.c and
// Gamma ..\x\g.c; groups Netz (Gamma) and Werkzeuge (Beta, Delta).
Catalog fiveEntries() {
  Catalog catalog;
  addGroup(catalog, "Netz");
  addGroup(catalog, "Werkzeuge");
  struct Spec {
    const char* name;
    const char* location;
    int groupId;
  };
  for (Spec spec : {Spec{"Alpha", ".\\a.c", -1}, Spec{"Beta", ".\\tools\\b.c", 1},
                    Spec{"Delta", ".\\lib\\sub\\d.c", 1}, Spec{"Epsilon", ".\\lib\\e.c", -1},
                    Spec{"Gamma", "..\\x\\g.c", 0}}) {
    CatalogEntry& entry = addEntry(catalog);
    entry.name = spec.name;
    entry.location = spec.location;
    entry.typeCode = 5;
    entry.description = std::string("Beschreibung von ") + spec.name + "\r\nzweite Zeile";
    entry.modified = 1236262029;  // 14:07:09 05.03.2009
    entry.lineCount = 120;
    entry.author = "Vuz";
    entry.groupId = spec.groupId;
  }
  return catalog;
}

class Views : public Journey {
 protected:
  // Starts the program on the five entries in autosave.ksf, with these
  // settings.
  void openWith(int stdtab, int ungroupnode, int treeexpand) {
    writeCatalog(fiveEntries(), "autosave.ksf");
    test::writeBytes(settingsFilePath(), settingsText(stdtab, "Vuz", ungroupnode, -1, treeexpand));
    ASSERT_TRUE(program.open(workDir.path()));
  }

  HWND control(int id) const { return program.control(id); }

  // Clicks (or right-clicks) the item of the tree with this text.
  void clickItem(int tree, const std::string& text, bool right = false) {
    std::vector<TreeItem> items = program.treeItems(control(tree));
    const TreeItem* item = itemNamed(items, text);
    ASSERT_NE(item, nullptr) << text << " not in tree " << tree;
    RECT rect{};
    ASSERT_TRUE(program.treeItemRect(control(tree), item->handle, rect)) << text << " not shown";
    (right ? rightClick : click)(control(tree), centerOf(rect));
  }

  bool isSelectedIn(int tree, const std::string& text) const {
    std::vector<TreeItem> items = program.treeItems(control(tree));
    const TreeItem* item = itemNamed(items, text);
    return item && (item->state & TVIS_SELECTED);
  }

  // The catalog the program wrote to autosave.ksf.
  Catalog savedCatalog() const {
    Catalog catalog;
    auto system = makeSystem();
    readCatalogFile(*system, catalog, file("autosave.ksf"));
    return catalog;
  }
};

TEST_F(Views, ShowTheEntriesRowForRow) {
  openWith(1, 1, 0);

  EXPECT_EQ(listRows(control(kNameList)),
            (std::vector<std::string>{"Alpha", "Beta", "Delta", "Epsilon", "Gamma"}));
  EXPECT_EQ(rowsOf(program.treeItems(control(kFolderTree))),
            (std::vector<Row>{{"root", 0, kImageBox},
                              {"tools", 1, kImageFolder},
                              {"Beta", 2, kImageEntry},
                              {"lib", 1, kImageFolder},
                              {"Epsilon", 2, kImageEntry},
                              {"sub", 2, kImageFolder},
                              {"Delta", 3, kImageEntry},
                              {"x", 1, kImageFolder},
                              {"Gamma", 2, kImageEntry},
                              {"Alpha", 1, kImageEntry}}));
  EXPECT_EQ(rowsOf(program.treeItems(control(kGroupTree))),
            (std::vector<Row>{{"Netz", 0, kImageFolder},
                              {"Gamma", 1, kImageEntry},
                              {"Werkzeuge", 0, kImageFolder},
                              {"Beta", 1, kImageEntry},
                              {"Delta", 1, kImageEntry},
                              {"Ungruppiert", 0, kImageBox},
                              {"Alpha", 1, kImageEntry},
                              {"Epsilon", 1, kImageEntry}}));
  closeProgram();
}

TEST_F(Views, AClickOnAnEntryFillsTheDetailsAndHighlightsItEverywhere) {
  openWith(1, 1, 1);
  clickItem(kGroupTree, "Beta");

  ASSERT_TRUE(waitUntil("the details of Beta", [&] {
    return windowText(control(kDetailsText)) ==
           "Name: Beta\n\nOrt: .\\tools\\b.c\n\nTyp: C Quellcode\nDatum: 14:07:09 05.03.2009\n"
           "Zeilen: 120\nAutor: Vuz";
  }));
  EXPECT_EQ(windowText(control(kDescriptionText)), "Beschreibung von Beta\r\nzweite Zeile");
  EXPECT_EQ(listSelection(control(kNameList)), 1);
  EXPECT_TRUE(isSelectedIn(kFolderTree, "Beta"));
  closeProgram();
}

TEST_F(Views, AClickInTheNameListFillsTheDetails) {
  openWith(0, 0, 0);
  click(control(kNameList), centerOf(listRowRect(control(kNameList), 3)));

  EXPECT_TRUE(waitUntil("the details of Epsilon", [&] {
    return windowText(control(kDetailsText)).rfind("Name: Epsilon\n\nOrt: .\\lib\\e.c\n\n", 0) == 0;
  }));
  EXPECT_EQ(listSelection(control(kNameList)), 3);
  closeProgram();
}

TEST_F(Views, ChoosingAGroupFromTheGroupMenuMovesTheEntry) {
  openWith(1, 1, 1);
  clickItem(kGroupTree, "Alpha", true);
  HWND menu = nullptr;
  ASSERT_TRUE(program.waitForPopupMenu(menu));
  // Down through "Alles Ausklappen", "Alles Einklappen" and the heading
  // "Gruppen" (separators are skipped) to the first group, "Netz".
  chooseMenuItem(menu, 4);

  std::vector<Row> expected{{"Netz", 0, kImageFolder},     {"Alpha", 1, kImageEntry},
                            {"Gamma", 1, kImageEntry},     {"Werkzeuge", 0, kImageFolder},
                            {"Beta", 1, kImageEntry},      {"Delta", 1, kImageEntry},
                            {"Ungruppiert", 0, kImageBox}, {"Epsilon", 1, kImageEntry}};
  EXPECT_TRUE(waitUntil("Alpha under Netz", [&] {
    return rowsOf(program.treeItems(control(kGroupTree))) == expected;
  }));
  closeProgram();
  Catalog saved = savedCatalog();
  ASSERT_TRUE(findEntry(saved, 0));
  EXPECT_EQ(saved.entries.currentElement()->name, "Alpha");
  EXPECT_EQ(saved.entries.currentElement()->groupId, 0);
}

TEST_F(Views, LoeschenRemovesTheSelectedEntry) {
  openWith(1, 1, 1);
  clickItem(kGroupTree, "Delta");
  ASSERT_TRUE(waitUntil("Delta to be chosen", [&] {
    return windowText(control(kDetailsText)).rfind("Name: Delta\n", 0) == 0;
  }));

  pressButton(control(kDeleteButton));
  EXPECT_TRUE(waitUntil("Delta to leave the name list", [&] {
    return listRows(control(kNameList)) ==
           std::vector<std::string>{"Alpha", "Beta", "Epsilon", "Gamma"};
  }));
  EXPECT_EQ(windowText(control(kDetailsText)), "");
  EXPECT_EQ(itemNamed(program.treeItems(control(kFolderTree)), "Delta"), nullptr);
  closeProgram();
  EXPECT_EQ(savedCatalog().entries.countElements(), 4);
}

}  // namespace
}  // namespace qk::e2e
