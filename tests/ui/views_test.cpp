#include "ui/main/views.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <memory>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "sources/catalog_paths.h"
#include "support/program_fixture.h"
#include "ui/main/details.h"
#include "ui/main/ids.h"

namespace qk {
namespace {

using test::ProgramFixture;

// One tree row as the user sees it, with the name of the entry its link
// points to ("" for none).
struct Row {
  std::string text;
  int level;
  int image;
  std::string link;
  bool operator==(const Row& o) const {
    return text == o.text && level == o.level && image == o.image && link == o.link;
  }
};
std::ostream& operator<<(std::ostream& out, const Row& row) {
  return out << "{" << row.text << ", level " << row.level << ", image " << row.image << ", link "
             << row.link << "}";
}

std::string nameOfEntry(Catalog& catalog, int32_t entryIndex) {
  for (const CatalogEntry& entry : catalog.entries.elements())
    if (entry.entryIndex == entryIndex) return entry.name;
  return "?";
}

std::vector<Row> treeRows(ProgramFixture& f, int tree, const CursorList<ViewLink>& links) {
  std::map<int, std::string> linked;
  for (const ViewLink& link : links.elements())
    linked[link.row] = nameOfEntry(f.program.catalog, link.entryIndex);
  std::vector<Row> rows;
  const std::vector<MemoryGui::TreeItem>& items = f.control(tree).items;
  for (size_t r = 0; r < items.size(); ++r) {
    auto found = linked.find(static_cast<int>(r));
    rows.push_back({items[r].text, items[r].level, items[r].image,
                    found == linked.end() ? "" : found->second});
  }
  return rows;
}

std::vector<Row> folderRows(ProgramFixture& f) {
  return treeRows(f, kFolderTree, f.program.catalog.folderTreeLinks);
}
std::vector<Row> groupRows(ProgramFixture& f) {
  return treeRows(f, kGroupTree, f.program.catalog.groupTreeLinks);
}

class ViewsTest : public ::testing::Test {
 protected:
  void SetUp() override { f.openMainWindow(); }

  // The five entries of the worked example, added out of name order, with
  // the groups Netz (0) and Werkzeuge (1).
  void addWorkedExample() {
    addGroup(f.program.catalog, "Netz");
    addGroup(f.program.catalog, "Werkzeuge");
    f.addEntry("Gamma", "..\\x\\g.c", 0);
    f.addEntry("Alpha", ".\\a.c", -1);
    f.addEntry("Epsilon", ".\\lib\\e.c", -1);
    f.addEntry("Beta", ".\\tools\\b.c", 1);
    f.addEntry("Delta", ".\\lib\\sub\\d.c", 1);
  }

  int32_t indexOf(const std::string& name) {
    for (const CatalogEntry& entry : f.program.catalog.entries.elements())
      if (entry.name == name) return entry.entryIndex;
    return -2;
  }

  ProgramFixture f;
};

TEST_F(ViewsTest, WorkedExampleBuildsTheThreeViews) {
  addWorkedExample();
  f.program.options.opt_ungroupnode = 1;
  rebuildViews(f.program);

  EXPECT_EQ(f.control(kNameList).rows,
            (std::vector<std::string>{"Alpha", "Beta", "Delta", "Epsilon", "Gamma"}));
  std::vector<int32_t> listEntries;
  for (const ViewLink& link : f.program.catalog.listLinks.elements()) {
    EXPECT_EQ(link.row, static_cast<int>(listEntries.size()));
    listEntries.push_back(link.entryIndex);
  }
  EXPECT_EQ(listEntries, (std::vector<int32_t>{indexOf("Alpha"), indexOf("Beta"), indexOf("Delta"),
                                               indexOf("Epsilon"), indexOf("Gamma")}));

  EXPECT_EQ(folderRows(f), (std::vector<Row>{{"root", 0, 2, ""},
                                             {"tools", 1, 0, ""},
                                             {"Beta", 2, 1, "Beta"},
                                             {"lib", 1, 0, ""},
                                             {"Epsilon", 2, 1, "Epsilon"},
                                             {"sub", 2, 0, ""},
                                             {"Delta", 3, 1, "Delta"},
                                             {"x", 1, 0, ""},
                                             {"Gamma", 2, 1, "Gamma"},
                                             {"Alpha", 1, 1, "Alpha"}}));
  EXPECT_EQ(groupRows(f), (std::vector<Row>{{"Netz", 0, 0, ""},
                                            {"Gamma", 1, 1, "Gamma"},
                                            {"Werkzeuge", 0, 0, ""},
                                            {"Beta", 1, 1, "Beta"},
                                            {"Delta", 1, 1, "Delta"},
                                            {"Ungruppiert", 0, 2, ""},
                                            {"Alpha", 1, 1, "Alpha"},
                                            {"Epsilon", 1, 1, "Epsilon"}}));
}

TEST_F(ViewsTest, WithoutTheUngroupedNodeEntriesWithoutGroupAreTopLevel) {
  addWorkedExample();
  f.program.options.opt_ungroupnode = 0;
  rebuildViews(f.program);
  std::vector<Row> rows = groupRows(f);
  ASSERT_EQ(rows.size(), 7u);
  EXPECT_EQ(rows[5], (Row{"Alpha", 0, 1, "Alpha"}));
  EXPECT_EQ(rows[6], (Row{"Epsilon", 0, 1, "Epsilon"}));
}

TEST_F(ViewsTest, RebuildLeavesNothingSelectedOrExpandedAndKeepsTheChoice) {
  addWorkedExample();
  rebuildViews(f.program);
  f.program.catalog.selectedEntryIndex = indexOf("Delta");
  selectEntryInViews(f.program);
  showEntryDetails(f.program, indexOf("Delta"));
  const std::string details = f.gui.text(kDetailsText);

  rebuildViews(f.program);
  for (int view : {kNameList, kGroupTree, kFolderTree}) EXPECT_EQ(f.gui.selectedRow(view), -1);
  EXPECT_EQ(f.program.catalog.selectedEntryIndex, indexOf("Delta"));
  EXPECT_EQ(f.gui.text(kDetailsText), details);
  EXPECT_FALSE(f.gui.rowVisible(kFolderTree, 1));
  EXPECT_FALSE(f.gui.rowVisible(kGroupTree, 1));
}

TEST_F(ViewsTest, TreeExpandOptionOpensBothTreesCompletely) {
  addWorkedExample();
  f.program.options.opt_treeexpand = 1;
  rebuildViews(f.program);
  for (int tree : {kGroupTree, kFolderTree}) {
    for (int row = 0; row < f.gui.rowCount(tree); ++row)
      EXPECT_TRUE(f.gui.rowVisible(tree, row)) << "tree " << tree << " row " << row;
  }
}

struct FolderCase {
  const char* what;
  std::vector<std::string> locations;  // entries named e0, e1, ... in this order
  std::vector<Row> rowsBelowRoot;
};

// Test names and failure output show the case by its description.
void PrintTo(const FolderCase& c, std::ostream* out) { *out << c.what; }

class FolderTreeCases : public ViewsTest, public ::testing::WithParamInterface<FolderCase> {};

TEST_P(FolderTreeCases, Rows) {
  const FolderCase& c = GetParam();
  for (size_t i = 0; i < c.locations.size(); ++i)
    f.addEntry("e" + std::to_string(i), c.locations[i]);
  rebuildViews(f.program);
  std::vector<Row> expected{{"root", 0, 2, ""}};
  expected.insert(expected.end(), c.rowsBelowRoot.begin(), c.rowsBelowRoot.end());
  EXPECT_EQ(folderRows(f), expected);
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, FolderTreeCases,
    ::testing::Values(
        FolderCase{"empty catalog", {}, {}},
        FolderCase{"same name under two parents",
                   {".\\p\\util\\a.c", ".\\q\\util\\b.c"},
                   {{"p", 1, 0, ""},
                    {"util", 2, 0, ""},
                    {"e0", 3, 1, "e0"},
                    {"q", 1, 0, ""},
                    {"util", 2, 0, ""},
                    {"e1", 3, 1, "e1"}}},
        FolderCase{"x beside and below the working directory",
                   {".\\x\\f.c", "..\\x\\g.c"},
                   {{"x", 1, 0, ""}, {"e0", 2, 1, "e0"}, {"x", 1, 0, ""}, {"e1", 2, 1, "e1"}}},
        FolderCase{"files directly in a first-level folder elsewhere", {"..\\c.c", "D:\\e.c"}, {}},
        FolderCase{"another drive", {"D:\\src\\e.c"}, {{"src", 1, 0, ""}, {"e0", 2, 1, "e0"}}},
        FolderCase{"two levels up",
                   {"..\\..\\y\\d.c"},
                   {{"..", 1, 0, ""}, {"y", 2, 0, ""}, {"e0", 3, 1, "e0"}}},
        FolderCase{"a folder below a dot segment",
                   {".\\.\\x\\f.c", ".\\w.c"},
                   {{"x", 1, 0, ""}, {"e0", 2, 1, "e0"}, {"e1", 1, 1, "e1"}}},
        FolderCase{"letter case makes different folders",
                   {".\\Lib\\a.c", ".\\lib\\b.c"},
                   {{"Lib", 1, 0, ""}, {"e0", 2, 1, "e0"}, {"lib", 1, 0, ""}, {"e1", 2, 1, "e1"}}}),
    [](const ::testing::TestParamInfo<FolderCase>& info) {
      std::string name;
      for (const char* c = info.param.what; *c; ++c) name += std::isalnum(*c) ? *c : '_';
      return name;
    });

TEST_F(ViewsTest, GroupTreeEdgeCases) {
  addGroup(f.program.catalog, "G");
  f.addEntry("grouped", ".\\a.c", 0);
  f.addEntry("stray", ".\\b.c", 5);  // names no group
  f.program.options.opt_ungroupnode = 1;
  rebuildViews(f.program);
  EXPECT_EQ(groupRows(f), (std::vector<Row>{{"G", 0, 0, ""}, {"grouped", 1, 1, "grouped"}}));
  EXPECT_EQ(f.gui.rowCount(kNameList), 2);

  f.program.catalog.groups.clearAll();
  f.program.catalog.entries.clearAll();
  rebuildViews(f.program);
  EXPECT_EQ(f.gui.rowCount(kGroupTree), 0);
  EXPECT_EQ(folderRows(f), (std::vector<Row>{{"root", 0, 2, ""}}));
}

TEST_F(ViewsTest, OtherUngroupNodeValuesAreTheLevelOfUngroupedEntries) {
  addGroup(f.program.catalog, "G");
  f.addEntry("a", ".\\a.c", 0);
  f.addEntry("b", ".\\b.c", -1);
  f.program.options.opt_ungroupnode = 2;
  rebuildViews(f.program);
  // Level 2 asked after "a" at level 1: b becomes a's child; no "Ungruppiert".
  EXPECT_EQ(groupRows(f), (std::vector<Row>{{"G", 0, 0, ""}, {"a", 1, 1, "a"}, {"b", 2, 1, "b"}}));
}

// --- Events ------------------------------------------------------------------

class ViewEventsTest : public ViewsTest {
 protected:
  void SetUp() override {
    ViewsTest::SetUp();
    addWorkedExample();
    f.program.options.opt_ungroupnode = 1;
    rebuildViews(f.program);
  }
  void event(int control, int type) {
    Event e;
    e.kind = kEventControl;
    e.window = kMainWindow;
    e.control = control;
    e.type = type;
    handleViewEvent(f.program, e);
  }
  int32_t selected() { return f.program.catalog.selectedEntryIndex; }
  std::string details() { return f.gui.text(kDetailsText); }
};

TEST_F(ViewEventsTest, NameListSelectionShowsTheEntryAndLeavesTheTrees) {
  f.gui.userSelects(kNameList, 3);  // Epsilon
  event(kNameList, kListSelectionChanged);
  EXPECT_EQ(selected(), indexOf("Epsilon"));
  EXPECT_EQ(details().rfind("Name: Epsilon\n", 0), 0u);
  EXPECT_EQ(f.gui.selectedRow(kGroupTree), -1);
  EXPECT_EQ(f.gui.selectedRow(kFolderTree), -1);
  EXPECT_TRUE(f.system.shellOpened.empty());

  f.gui.userSelects(kNameList, 1);  // Beta
  event(kNameList, kListDoubleClick);
  EXPECT_EQ(selected(), indexOf("Beta"));
  ASSERT_EQ(f.system.shellOpened.size(), 1u);
  EXPECT_EQ(f.system.shellOpened[0],
            resolveLocation(f.program.catalog.baseDirectory, ".\\tools\\b.c"));
}

TEST_F(ViewEventsTest, TreeClickOnAnEntryHighlightsItEverywhere) {
  f.gui.userSelects(kFolderTree, 6);  // Delta
  event(kFolderTree, kTreeClick);
  EXPECT_EQ(selected(), indexOf("Delta"));
  EXPECT_EQ(details().rfind("Name: Delta\n", 0), 0u);
  EXPECT_EQ(f.gui.selectedRow(kGroupTree), 4);
  EXPECT_EQ(f.gui.selectedRow(kNameList), 2);
  EXPECT_TRUE(f.gui.rowVisible(kGroupTree, 4));

  f.gui.userSelects(kGroupTree, 1);  // Gamma
  event(kGroupTree, kTreeClick);
  EXPECT_EQ(selected(), indexOf("Gamma"));
  EXPECT_EQ(f.gui.selectedRow(kFolderTree), 8);
  EXPECT_TRUE(f.gui.rowVisible(kFolderTree, 8));
}

TEST_F(ViewEventsTest, RowsWithoutAnEntryAndUnknownEventsChangeNothing) {
  f.gui.userSelects(kNameList, 0);
  event(kNameList, kListSelectionChanged);  // Alpha chosen
  const std::string shown = details();
  struct Case {
    int control, row, type;
  };
  for (Case c : {Case{kGroupTree, 0, kTreeClick}, Case{kGroupTree, 5, kTreeRightClick},
                 Case{kGroupTree, 2, kTreeDoubleClick}, Case{kFolderTree, 0, kTreeClick},
                 Case{kFolderTree, 3, kTreeDoubleClick}, Case{kFolderTree, 2, kOtherControlEvent},
                 Case{kGroupTree, 3, kOtherControlEvent}, Case{kNameList, 4, kOtherControlEvent},
                 Case{kNameList, -1, kListSelectionChanged}, Case{kGroupTree, -1, kTreeClick}}) {
    f.gui.userSelects(c.control, c.row);
    event(c.control, c.type);
    EXPECT_EQ(selected(), indexOf("Alpha")) << c.control << "/" << c.row << "/" << c.type;
  }
  EXPECT_EQ(details(), shown);
  EXPECT_TRUE(f.gui.shownMenus().empty());
  EXPECT_TRUE(f.system.shellOpened.empty());
}

TEST_F(ViewEventsTest, RightClicksShowTheMenusAndDoubleClicksOpen) {
  f.gui.userSelects(kGroupTree, 3);  // Beta
  event(kGroupTree, kTreeRightClick);
  EXPECT_EQ(selected(), indexOf("Beta"));
  ASSERT_EQ(f.gui.shownMenus().size(), 1u);
  EXPECT_EQ(f.gui.shownMenus()[0].menu, kGroupTreeMenu);

  f.gui.userSelects(kFolderTree, 8);  // Gamma, but the folder tree's menu does no lookup
  event(kFolderTree, kTreeRightClick);
  EXPECT_EQ(selected(), indexOf("Beta"));
  ASSERT_EQ(f.gui.shownMenus().size(), 2u);
  EXPECT_EQ(f.gui.shownMenus()[1].menu, kFolderTreeMenu);
  EXPECT_EQ(f.gui.shownMenus()[1].owner, kMainWindow);

  event(kFolderTree, kTreeDoubleClick);
  EXPECT_EQ(selected(), indexOf("Gamma"));
  f.gui.userSelects(kGroupTree, 7);  // Epsilon
  event(kGroupTree, kTreeDoubleClick);
  EXPECT_EQ(selected(), indexOf("Epsilon"));
  const std::string base = f.program.catalog.baseDirectory;
  EXPECT_EQ(f.system.shellOpened, (std::vector<std::string>{resolveLocation(base, "..\\x\\g.c"),
                                                            resolveLocation(base, ".\\lib\\e.c")}));
}

// --- The plain walks, as a reference for the linear build -------------------

// Records the level asked for each appended tree item, besides what the
// tree made of it.
class RecordingGui : public MemoryGui {
 public:
  std::map<int, std::vector<int>> askedLevels;
  void appendTreeItem(int control, const std::string& text, int image, int level) override {
    askedLevels[control].push_back(level);
    MemoryGui::appendTreeItem(control, text, image, level);
  }
  void clearRows(int control) override {
    askedLevels[control].clear();
    MemoryGui::clearRows(control);
  }
};

std::string segment(const std::string& text, int number) {
  int at = 1;
  size_t start = 0;
  for (;;) {
    size_t end = text.find('\\', start);
    if (at == number) return text.substr(start, end == std::string::npos ? end : end - start);
    if (end == std::string::npos) return "";
    start = end + 1;
    ++at;
  }
}

std::string firstSegments(const std::string& text, int count) {
  std::string path;
  for (int i = 1; i <= count; ++i) path += segment(text, i) + "\\";
  return path;
}

void appendLink(CursorList<ViewLink>& links, int32_t row, int32_t entryIndex) {
  links.elements().push_back(ViewLink{row, entryIndex});
}

// The rebuild exactly as its walks are stated: entries per group, entries
// per folder, and the node list searched at every step.
void referenceRebuild(Program& p) {
  Gui& gui = p.gui;
  Catalog& c = p.catalog;
  for (int control : {kNameList, kGroupTree, kFolderTree}) gui.clearRows(control);
  c.listLinks.clearAll();
  c.groupTreeLinks.clearAll();
  c.folderTreeLinks.clearAll();
  sortEntriesByName(c);
  const std::vector<CatalogEntry>& entries = c.entries.elements();

  int32_t r = 0;
  for (const CatalogEntry& e : entries) {
    gui.insertRow(kNameList, r, e.name);
    appendLink(c.listLinks, r++, e.entryIndex);
  }

  r = 0;
  for (const CatalogGroup& g : c.groups.elements()) {
    gui.appendTreeItem(kGroupTree, g.name, 0, 0);
    ++r;
    for (const CatalogEntry& e : entries) {
      if (e.groupId != g.groupId) continue;
      gui.appendTreeItem(kGroupTree, e.name, 1, 1);
      appendLink(c.groupTreeLinks, r++, e.entryIndex);
    }
  }
  bool ungrouped = false;
  for (const CatalogEntry& e : entries) {
    if (e.groupId != -1) continue;
    if (p.options.opt_ungroupnode == 1 && !ungrouped) {
      gui.appendTreeItem(kGroupTree, "Ungruppiert", 2, 0);
      ++r;
      ungrouped = true;
    }
    gui.appendTreeItem(kGroupTree, e.name, 1, p.options.opt_ungroupnode);
    appendLink(c.groupTreeLinks, r++, e.entryIndex);
  }

  gui.appendTreeItem(kFolderTree, "root", 2, 0);
  r = 1;
  std::vector<FolderNode> nodes;
  for (int d = 2;; ++d) {
    bool deeper = false;
    for (const CatalogEntry& e : entries) {
      std::string s = segment(folderPart(e.location), d);
      if (s.empty()) continue;
      deeper = true;
      if (s == ".") continue;
      std::string folderPath = firstSegments(e.location, d - 1);
      bool known = false;
      for (const FolderNode& n : nodes)
        known = known || (n.depth == d && n.name == s && n.folderPath == folderPath);
      if (!known) nodes.push_back(FolderNode{s, d, folderPath});
    }
    if (!deeper) break;
  }
  while (!nodes.empty()) {
    size_t current = 0;
    for (;;) {
      const FolderNode node = nodes[current];
      gui.appendTreeItem(kFolderTree, node.name, 0, node.depth - 1);
      ++r;
      std::string path = node.folderPath + node.name + "\\";
      for (const CatalogEntry& e : entries) {
        if (folderPart(e.location) != path) continue;
        gui.appendTreeItem(kFolderTree, e.name, 1, node.depth);
        appendLink(c.folderTreeLinks, r++, e.entryIndex);
      }
      nodes.erase(nodes.begin() + static_cast<long>(current));
      bool found = false;
      while (!path.empty() && !found) {
        for (size_t i = 0; i < nodes.size() && !found; ++i) {
          if (nodes[i].folderPath == path) {
            current = i;
            found = true;
          }
        }
        if (found) break;
        int k = 0;
        while (!segment(path, k + 1).empty()) ++k;
        path = k <= 1 ? "" : firstSegments(path, k - 1);
      }
      if (!found) break;
    }
  }
  for (const CatalogEntry& e : entries) {
    if (folderPart(e.location) != ".\\") continue;
    gui.appendTreeItem(kFolderTree, e.name, 1, 1);
    appendLink(c.folderTreeLinks, r++, e.entryIndex);
  }
}

// Random catalogs with names that collide by case and umlauts and
// locations with ., .., drives, empty segments, slashes and folder names
// repeated at several depths.
void addRandomCatalog(std::mt19937& random, Catalog& catalog, Options& options) {
  auto pick = [&random](const std::vector<std::string>& from) {
    return from[std::uniform_int_distribution<size_t>(0, from.size() - 1)(random)];
  };
  auto chance = [&random](int percent) {
    return std::uniform_int_distribution<int>(0, 99)(random) < percent;
  };
  const std::vector<std::string> names{"abc",   "ABC",  "Abc",  "\xC4pfel", "\xE4pfel",
                                       "apfel", "Zeta", "zeta", "_x",       "10",
                                       "9",     "b",    "B",    "",         "a b"};
  const std::vector<std::string> starts{".\\",  ".\\",    ".\\", "..\\",      "..\\..\\", "D:\\",
                                        "C:\\", ".\\.\\", "",    "\\\\srv\\", ".\\\\"};
  const std::vector<std::string> folders{"lib", "src", "util", "x", "Lib",
                                         ".",   "..",  "a/b",  "",  "\xFC"};
  const std::vector<std::string> files{"f.c", "g.h", "x/y.c", "h"};
  const int groups = std::uniform_int_distribution<int>(0, 4)(random);
  for (int g = 0; g < groups; ++g) addGroup(catalog, pick({"Netz", "netz", "Werkzeuge", ""}));
  const int count = std::uniform_int_distribution<int>(0, 40)(random);
  for (int i = 0; i < count; ++i) {
    CatalogEntry& entry = addEntry(catalog);
    entry.name = pick(names) + (chance(30) ? std::to_string(i % 3) : "");
    entry.location = pick(starts);
    const int depth = std::uniform_int_distribution<int>(0, 4)(random);
    for (int d = 0; d < depth; ++d) entry.location += pick(folders) + "\\";
    entry.location += pick(files);
    entry.groupId = std::uniform_int_distribution<int>(-2, groups + 1)(random);
    if (entry.groupId == -2) entry.groupId = -1;
  }
  const int8_t ungroupNodeValues[] = {0, 1, 1, 2, -1};
  options.opt_ungroupnode = ungroupNodeValues[std::uniform_int_distribution<int>(0, 4)(random)];
}

struct Built {
  std::vector<std::string> names;
  std::vector<MemoryGui::TreeItem> groupItems, folderItems;
  std::map<int, std::vector<int>> askedLevels;
  std::vector<std::pair<int32_t, int32_t>> listLinks, groupLinks, folderLinks;
  std::vector<int32_t> entryOrder;
};

std::vector<std::pair<int32_t, int32_t>> linksOf(const CursorList<ViewLink>& links) {
  std::vector<std::pair<int32_t, int32_t>> pairs;
  for (const ViewLink& link : links.elements()) pairs.emplace_back(link.row, link.entryIndex);
  return pairs;
}

// The rebuild touches no file, so the real system serves.
Built build(System& system, const Catalog& start, const Options& options,
            void (*rebuild)(Program&)) {
  RecordingGui gui;
  Program program(gui, system);
  gui.openMainWindow("Quellkiste", kMainMinWidth, kMainMinHeight);
  createMainControls(program);
  program.catalog = start;
  program.options = options;
  rebuild(program);
  Built built;
  built.names = gui.control(kNameList)->rows;
  built.groupItems = gui.control(kGroupTree)->items;
  built.folderItems = gui.control(kFolderTree)->items;
  built.askedLevels = gui.askedLevels;
  built.listLinks = linksOf(program.catalog.listLinks);
  built.groupLinks = linksOf(program.catalog.groupTreeLinks);
  built.folderLinks = linksOf(program.catalog.folderTreeLinks);
  for (const CatalogEntry& e : program.catalog.entries.elements())
    built.entryOrder.push_back(e.entryIndex);
  return built;
}

void expectSameItems(const std::vector<MemoryGui::TreeItem>& fast,
                     const std::vector<MemoryGui::TreeItem>& plain, const char* tree) {
  ASSERT_EQ(fast.size(), plain.size()) << tree;
  for (size_t r = 0; r < fast.size(); ++r) {
    EXPECT_EQ(fast[r].text, plain[r].text) << tree << " row " << r;
    EXPECT_EQ(fast[r].image, plain[r].image) << tree << " row " << r;
    EXPECT_EQ(fast[r].level, plain[r].level) << tree << " row " << r;
    EXPECT_EQ(fast[r].parent, plain[r].parent) << tree << " row " << r;
  }
}

TEST(ViewsReference, LinearBuildEqualsThePlainWalksOnRandomCatalogs) {
  std::mt19937 random(20240607);
  std::unique_ptr<System> system = makeSystem();
  for (int round = 0; round < 300; ++round) {
    Catalog catalog;
    Options options;
    addRandomCatalog(random, catalog, options);
    Built fast = build(*system, catalog, options, rebuildViews);
    Built plain = build(*system, catalog, options, referenceRebuild);
    SCOPED_TRACE("round " + std::to_string(round));
    EXPECT_EQ(fast.entryOrder, plain.entryOrder);
    EXPECT_EQ(fast.names, plain.names);
    expectSameItems(fast.groupItems, plain.groupItems, "group tree");
    expectSameItems(fast.folderItems, plain.folderItems, "folder tree");
    EXPECT_EQ(fast.askedLevels, plain.askedLevels);
    EXPECT_EQ(fast.listLinks, plain.listLinks);
    EXPECT_EQ(fast.groupLinks, plain.groupLinks);
    EXPECT_EQ(fast.folderLinks, plain.folderLinks);
    if (HasFailure()) break;
  }
}

}  // namespace
}  // namespace qk
