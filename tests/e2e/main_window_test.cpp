// Journeys through the main window: start-up with and without catalogs,
// closing, "Autosave", the minimum size, the layout and the tab strip.
#include <filesystem>

#include "catalog/catalog_file.h"
#include "e2e/journey.h"

namespace qk::e2e {
namespace {

constexpr int kNameList = 2;
constexpr int kGroupTree = 9;
constexpr int kFolderTree = 10;
constexpr int kTabs = 11;
constexpr int kGroupsButton = 12;
constexpr int kAutosaveButton = 14;
constexpr int kAboutButton = 15;

const std::string kEmptyCatalog("\xC6\x07\x00\x00", 4);  // the magic number 1990

std::vector<std::string> texts(const std::vector<TreeItem>& items) {
  std::vector<std::string> result;
  for (const TreeItem& item : items) result.push_back(item.text);
  return result;
}

using MainWindow = Journey;

TEST_F(MainWindow, StartsEmptyAndOnClosingWritesAnEmptyCatalogAndTheDefaultSettings) {
  ASSERT_TRUE(program.open(workDir.path()));

  EXPECT_EQ(windowText(program.window()), "Quellkiste");
  EXPECT_TRUE(listRows(program.control(kNameList)).empty());
  EXPECT_TRUE(program.treeItems(program.control(kGroupTree)).empty());
  EXPECT_EQ(texts(program.treeItems(program.control(kFolderTree))),
            std::vector<std::string>{"root"});
  HWND box = nullptr;
  EXPECT_FALSE(program.waitForWindow("#32770", "Fehler", box, 0)) << "no message at start";

  closeProgram();
  EXPECT_EQ(test::readBytes(file("autosave.ksf")), kEmptyCatalog);
  EXPECT_EQ(test::readBytes(settingsFilePath()), settingsText(1, hostName()));
  EXPECT_EQ(workDirContent(), std::vector<std::string>{"autosave.ksf"});
}

struct CommandLineCase {
  const char* label;
  const char* typed;      // as it follows the program's path on the command line
  const char* parameter;  // the first parameter the program takes from it
  const char* path;       // where the catalog lies, relative to the working directory
};

void PrintTo(const CommandLineCase& c, std::ostream* out) { *out << c.label; }

class CatalogOnTheCommandLine : public Journey,
                                public testing::WithParamInterface<CommandLineCase> {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(file("kataloge"));
    writeCatalog(catalog, GetParam().path);
    original = test::readBytes(file(GetParam().path));
  }

  Catalog catalog = catalogOf({"Alpha", "Beta"});
  std::string original;
};

TEST_P(CatalogOnTheCommandLine, TitlesTheWindowAndClosingWritesOnlyTheSettings) {
  ASSERT_TRUE(program.open(workDir.path(), GetParam().typed,
                           std::string("Quellkiste - ") + GetParam().parameter));
  EXPECT_EQ(listRows(program.control(kNameList)), (std::vector<std::string>{"Alpha", "Beta"}));

  closeProgram();
  EXPECT_EQ(test::readBytes(file(GetParam().path)), original);
  EXPECT_FALSE(test::exists(file("autosave.ksf")));
  EXPECT_EQ(test::readBytes(settingsFilePath()), settingsText(1, hostName()));
}

TEST_P(CatalogOnTheCommandLine, AutosaveWritesAutosaveKsfAndNotTheFileItCameFrom) {
  ASSERT_TRUE(program.open(workDir.path(), GetParam().typed,
                           std::string("Quellkiste - ") + GetParam().parameter));

  pressButton(program.control(kAutosaveButton));
  EXPECT_TRUE(waitUntil("autosave.ksf with the catalog", [&] {
    return test::readBytes(file("autosave.ksf")) == encodeCatalog(catalog);
  }));
  EXPECT_TRUE(waitUntil("the settings file",
                        [&] { return test::readBytes(settingsFilePath()) == settingsText(1, hostName()); }));
  EXPECT_EQ(test::readBytes(file(GetParam().path)), original);

  closeProgram();
  EXPECT_EQ(test::readBytes(file("autosave.ksf")), encodeCatalog(catalog));
}

INSTANTIATE_TEST_SUITE_P(
    Typed, CatalogOnTheCommandLine,
    testing::Values(CommandLineCase{"Relative", "kataloge\\eigene.ksf", "kataloge\\eigene.ksf",
                                    "kataloge\\eigene.ksf"},
                    CommandLineCase{"WithDots", ".\\kataloge\\..\\eigene.ksf",
                                    ".\\kataloge\\..\\eigene.ksf", "eigene.ksf"},
                    CommandLineCase{"QuotedWithBlank", "\"kataloge\\mit Blank.ksf\" zweiter",
                                    "kataloge\\mit Blank.ksf", "kataloge\\mit Blank.ksf"}),
    [](const testing::TestParamInfo<CommandLineCase>& info) { return info.param.label; });

TEST_F(MainWindow, WrongMagicNumberShowsTheMessageAndThenReadsAutosaveKsf) {
  Catalog autosaved = catalogOf({"Gamma"});
  writeCatalog(autosaved, "autosave.ksf");
  const std::string wrongMagic("\xC7\x07\x00\x00\x01\x00\x00\x00", 8);
  test::writeBytes(file("fremd.ksf"), wrongMagic);

  ASSERT_TRUE(program.start(workDir.path(), "fremd.ksf"));
  HWND box = nullptr;
  ASSERT_TRUE(program.waitForMessageBox("Fehler", box));
  EXPECT_EQ(messageBoxText(box), catalogReadMessageText(CatalogReadMessage::BadMagic));
  pressOk(box);
  ASSERT_TRUE(program.waitForGone(box, "the message"));
  ASSERT_TRUE(program.waitForMainWindow("Quellkiste"));
  EXPECT_EQ(listRows(program.control(kNameList)), std::vector<std::string>{"Gamma"});

  closeProgram();
  EXPECT_EQ(test::readBytes(file("autosave.ksf")), encodeCatalog(autosaved));
  EXPECT_EQ(test::readBytes(file("autosave.ksf.bak")), encodeCatalog(autosaved));
  EXPECT_EQ(test::readBytes(file("fremd.ksf")), wrongMagic);
}

TEST_F(MainWindow, SavingIntoAFolderNamedAutosaveKsfShowsTheSaveFailure) {
  std::filesystem::create_directory(file("autosave.ksf"));
  ASSERT_TRUE(program.open(workDir.path()));

  pressButton(program.control(kAutosaveButton));
  HWND box = nullptr;
  ASSERT_TRUE(program.waitForMessageBox("Fehler", box));
  EXPECT_EQ(messageBoxText(box), catalogSaveFailedText(kAutosaveFileName));
  pressOk(box);
  ASSERT_TRUE(program.waitForGone(box, "the message"));
  EXPECT_TRUE(waitUntil("the settings file", [] { return test::exists(settingsFilePath()); }));

  // Closing saves again, fails again, says so, and still ends.
  PostMessageA(program.window(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(program.waitForMessageBox("Fehler", box));
  EXPECT_EQ(messageBoxText(box), catalogSaveFailedText(kAutosaveFileName));
  pressOk(box);
  DWORD exitCode = 1;
  ASSERT_TRUE(program.waitForExit(exitCode));
  EXPECT_EQ(exitCode, 0u);
  EXPECT_TRUE(std::filesystem::is_directory(file("autosave.ksf")));
  EXPECT_EQ(workDirContent(), std::vector<std::string>{"autosave.ksf"}) << "no file left behind";
}

TEST_F(MainWindow, SizedBelowTheMinimumSpringsBack) {
  ASSERT_TRUE(program.open(workDir.path()));
  struct Case {
    int width, height, expectedWidth, expectedHeight;
  };
  for (Case c : {Case{300, 200, 520, 440}, Case{300, 600, 520, 600}, Case{700, 300, 700, 440}}) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    setClientSize(program.window(), c.width, c.height);
    auto sprungBack = [&] {
      SIZE size = clientSize(program.window());
      RECT about = rectIn(program.control(kAboutButton), program.window());
      return size.cx == c.expectedWidth && size.cy == c.expectedHeight &&
             about.left == size.cx - 25 && about.top == size.cy - 30;
    };
    EXPECT_TRUE(waitUntil("the window and its layout to spring back", sprungBack));
    SIZE size = clientSize(program.window());
    EXPECT_EQ(size.cx, c.expectedWidth);
    EXPECT_EQ(size.cy, c.expectedHeight);
  }
  closeProgram();
}

TEST_F(MainWindow, LayoutAt800x600) {
  ASSERT_TRUE(program.open(workDir.path()));
  setClientSize(program.window(), 800, 600);
  ASSERT_TRUE(waitUntil("the about button to move to (775, 570)", [&] {
    RECT about = rectIn(program.control(kAboutButton), program.window());
    return about.left == 775 && about.top == 570;
  }));
  for (int view : {kNameList, kGroupTree, kFolderTree}) {
    RECT rect = rectIn(program.control(view), program.window());
    EXPECT_EQ(rect.left, 15) << "control " << view;
    EXPECT_EQ(rect.top, 40) << "control " << view;
    EXPECT_EQ(rect.right - rect.left, 560) << "control " << view;
    EXPECT_EQ(rect.bottom - rect.top, 515) << "control " << view;
  }
  RECT details = rectIn(program.control(3), program.window());
  EXPECT_EQ(details.left, 595);
  EXPECT_EQ(details.top, 15);
  closeProgram();
}

struct TabCase {
  int stdtab;
  bool nameList, groupTree, folderTree, groupsButton;
};

void PrintTo(const TabCase& c, std::ostream* out) { *out << "opt_stdtab " << c.stdtab; }

class StartTab : public Journey, public testing::WithParamInterface<TabCase> {};

TEST_P(StartTab, SettingDecidesTheVisibleView) {
  const TabCase& c = GetParam();
  test::writeBytes(settingsFilePath(), settingsText(c.stdtab, "Anna"));
  ASSERT_TRUE(program.open(workDir.path()));

  EXPECT_EQ(isVisible(program.control(kNameList)), c.nameList);
  EXPECT_EQ(isVisible(program.control(kGroupTree)), c.groupTree);
  EXPECT_EQ(isVisible(program.control(kFolderTree)), c.folderTree);
  EXPECT_EQ(isVisible(program.control(kGroupsButton)), c.groupsButton);
  if (c.stdtab >= 0 && c.stdtab <= 2) {
    EXPECT_EQ(SendMessageA(program.control(kTabs), TCM_GETCURSEL, 0, 0), c.stdtab);
  }

  closeProgram();
  EXPECT_EQ(test::readBytes(settingsFilePath()), settingsText(c.stdtab, "Anna"));
}

INSTANTIATE_TEST_SUITE_P(Settings, StartTab,
                         testing::Values(TabCase{0, true, false, false, false},
                                         TabCase{1, false, true, false, true},
                                         TabCase{2, false, false, true, false},
                                         TabCase{7, true, false, false, false}),
                         [](const testing::TestParamInfo<TabCase>& info) {
                           return "Tab" + std::to_string(info.param.stdtab);
                         });

TEST_F(MainWindow, TabStripSwitchesTheViews) {
  ASSERT_TRUE(program.open(workDir.path()));
  HWND tabs = program.control(kTabs);
  struct Case {
    int tab;
    int visibleView;
  };
  for (Case c : {Case{2, kFolderTree}, Case{0, kNameList}, Case{1, kGroupTree}}) {
    SCOPED_TRACE("tab " + std::to_string(c.tab));
    ASSERT_TRUE(program.clickTab(tabs, c.tab));
    EXPECT_TRUE(waitUntil("the tab's view to show", [&] {
      return isVisible(program.control(c.visibleView));
    }));
    for (int view : {kNameList, kGroupTree, kFolderTree}) {
      EXPECT_EQ(isVisible(program.control(view)), view == c.visibleView) << "control " << view;
    }
    EXPECT_EQ(isVisible(program.control(kGroupsButton)), c.visibleView == kGroupTree);
  }
  closeProgram();
}

}  // namespace
}  // namespace qk::e2e
