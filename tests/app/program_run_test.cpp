#include "app/program_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "catalog/catalog_file.h"
#include "catalog/settings.h"
#include "sources/catalog_paths.h"
#include "support/program_fixture.h"
#include "ui/dialogs/dialogs.h"
#include "ui/main/ids.h"

namespace qk {
namespace {

const char kBadMagicText[] =
    "Die Authentifizierung dieser Datei ist leider fehlgeschlagen.\n Abbruch der Operation.";
const char kBadCheckText[] = "Eine Checksumme ist nicht korrekt.\n Abbruch der Operation.";

TEST(FirstParameter, BlanksSeparateAndQuotesGroup) {
  struct Case {
    const char* commandLine;
    const char* parameter;
  };
  for (Case c : {Case{"", ""}, Case{"   ", ""}, Case{"a.ksf", "a.ksf"},
                 Case{"  a.ksf b.ksf", "a.ksf"}, Case{"\"my cat.ksf\" x", "my cat.ksf"},
                 Case{"\"C:\\Mein Ordner\\k.ksf\"", "C:\\Mein Ordner\\k.ksf"}, Case{"\"\"", ""},
                 Case{"\t\"a b\"", "a b"}})
    EXPECT_EQ(firstParameter(c.commandLine), c.parameter) << c.commandLine;
}

class ProgramRunTest : public ::testing::Test {
 protected:
  // Bytes of a catalog file with these entries (entryIndex in this order)
  // and one group.
  static std::string catalogWith(const std::vector<std::string>& names) {
    Catalog catalog;
    addGroup(catalog, "Netz");
    for (const std::string& name : names) {
      CatalogEntry& entry = addEntry(catalog);
      entry.name = name;
      entry.location = ".\\" + name + ".c";
      entry.groupId = -1;
    }
    return encodeCatalog(catalog);
  }

  void writeWorkFile(const std::string& name, const std::string& bytes) {
    test::writeBytes(f.work.file(name), bytes);
  }
  std::string workFile(const std::string& name) { return test::readBytes(f.work.file(name)); }
  bool workFileExists(const std::string& name) { return test::exists(f.work.file(name)); }
  std::string settingsFile() { return f.profile.file(kSettingsFileName); }

  bool start(const std::string& commandLine = "") { return startProgram(f.program, commandLine); }
  bool control(int control, int type = 0) {
    Event event;
    event.kind = kEventControl;
    event.window = f.gui.control(control) ? f.gui.control(control)->window : 0;
    event.control = control;
    event.type = type;
    return handleEvent(f.program, event);
  }
  bool close() {
    Event event;
    event.kind = kEventClose;
    event.window = kMainWindow;
    return handleEvent(f.program, event);
  }
  std::string title() { return f.gui.window(kMainWindow)->title; }
  std::vector<std::string> names() { return f.control(kNameList).rows; }
  std::vector<std::string> messageTexts() {
    std::vector<std::string> texts;
    for (const auto& shown : f.gui.messages()) {
      EXPECT_EQ(shown.title, "Fehler");
      texts.push_back(shown.text);
    }
    return texts;
  }
  void chooseInNameList(int row) {
    f.gui.userSelects(kNameList, row);
    control(kNameList, kListSelectionChanged);
  }

  test::ProgramFixture f;
};

TEST_F(ProgramRunTest, WithoutAnyFilesStartsEmptyAndClosingWritesBoth) {
  ASSERT_TRUE(start());
  EXPECT_EQ(title(), "Quellkiste");
  EXPECT_TRUE(f.gui.messages().empty());
  EXPECT_EQ(f.gui.rowCount(kNameList), 0);
  EXPECT_EQ(f.gui.rowCount(kGroupTree), 0);
  ASSERT_EQ(f.gui.rowCount(kFolderTree), 1);
  EXPECT_EQ(f.control(kFolderTree).items[0].text, "root");
  EXPECT_EQ(f.gui.treeImages.size(), 3u);
  EXPECT_EQ(f.program.catalog.baseDirectory, f.system.currentDirectory() + "\\");
  EXPECT_EQ(f.program.catalog.autosaveOnExit, 1);
  EXPECT_TRUE(f.gui.control(kGroupTree)->visible);  // the default tab 1

  EXPECT_FALSE(close());
  EXPECT_EQ(workFile("autosave.ksf"), std::string("\xC6\x07\x00\x00", 4));
  EXPECT_EQ(test::readBytes(settingsFile()), formatSettingsText(defaultOptions(f.system)));
}

TEST_F(ProgramRunTest, CommandLineCatalogIsShownAndNotWrittenBack) {
  const std::string bytes = catalogWith({"Zeta", "Alpha"});
  writeWorkFile("mein katalog.ksf", bytes);
  ASSERT_TRUE(start("\"mein katalog.ksf\" zweiter"));
  EXPECT_EQ(title(), "Quellkiste - mein katalog.ksf");
  EXPECT_EQ(names(), (std::vector<std::string>{"Alpha", "Zeta"}));
  EXPECT_EQ(f.gui.text(kDetailsText).rfind("Name: Zeta\n", 0), 0u);  // entryIndex 0
  EXPECT_EQ(f.program.catalog.selectedEntryIndex, -1);
  EXPECT_EQ(f.program.catalog.autosaveOnExit, 0);

  EXPECT_FALSE(close());
  EXPECT_FALSE(workFileExists("autosave.ksf"));
  EXPECT_TRUE(test::exists(settingsFile()));
  EXPECT_EQ(workFile("mein katalog.ksf"), bytes);
}

TEST_F(ProgramRunTest, AutosaveWritesAutosaveKsfAndKeepsThePreviousOne) {
  const std::string previous = catalogWith({"Alt"});
  writeWorkFile("autosave.ksf", previous);
  writeWorkFile("k.ksf", catalogWith({"Neu"}));
  ASSERT_TRUE(start("k.ksf"));
  EXPECT_TRUE(control(kAutosaveButton));
  EXPECT_EQ(workFile("autosave.ksf"), encodeCatalog(f.program.catalog));
  EXPECT_EQ(workFile("autosave.ksf.bak"), previous);
  EXPECT_TRUE(test::exists(settingsFile()));
  EXPECT_TRUE(f.gui.messages().empty());
}

TEST_F(ProgramRunTest, UnreadableParameterFallsBackToAutosave) {
  writeWorkFile("autosave.ksf", catalogWith({"Auto"}));
  writeWorkFile("bad.ksf", "XXXX and more");
  struct Case {
    const char* parameter;
    std::vector<std::string> messages;
  };
  for (const Case& c : {Case{"fehlt.ksf", {}}, Case{"bad.ksf", {kBadMagicText}}}) {
    test::ProgramFixture fresh;
    test::writeBytes(fresh.work.file("autosave.ksf"), workFile("autosave.ksf"));
    test::writeBytes(fresh.work.file("bad.ksf"), workFile("bad.ksf"));
    ASSERT_TRUE(startProgram(fresh.program, c.parameter));
    SCOPED_TRACE(c.parameter);
    std::vector<std::string> shown;
    for (const auto& message : fresh.gui.messages()) shown.push_back(message.text);
    EXPECT_EQ(shown, c.messages);
    EXPECT_EQ(fresh.gui.window(kMainWindow)->title, "Quellkiste");
    EXPECT_EQ(fresh.control(kNameList).rows, (std::vector<std::string>{"Auto"}));
    EXPECT_EQ(fresh.program.catalog.autosaveOnExit, 1);
    EXPECT_FALSE(fresh.program.autosaveLoadFailed);
  }
}

TEST_F(ProgramRunTest, NoMainWindowEndsAtOnceWithoutFiles) {
  f.gui.canCreateWindows = false;
  EXPECT_FALSE(start());
  EXPECT_TRUE(std::filesystem::is_empty(f.work.path()));
  EXPECT_TRUE(std::filesystem::is_empty(f.profile.path()));
  EXPECT_FALSE(f.gui.hasControl(kNameList));
}

TEST_F(ProgramRunTest, SettingsFileDecidesTheStartTab) {
  Options options = defaultOptions(f.system);
  options.opt_stdtab = 2;
  saveSettings(f.system, options, "::");
  ASSERT_TRUE(start());
  EXPECT_EQ(f.gui.selectedRow(kViewTabs), 2);
  EXPECT_TRUE(f.control(kFolderTree).visible);
  EXPECT_FALSE(f.control(kGroupTree).visible);
}

TEST_F(ProgramRunTest, EntryButtonsNeedASelectedEntry) {
  writeWorkFile("autosave.ksf", catalogWith({"Alpha", "Beta"}));
  ASSERT_TRUE(start());
  for (int button : {kEditButton, kDeleteButton, kEditorButton}) EXPECT_TRUE(control(button));
  EXPECT_FALSE(f.gui.hasWindow(kEditWindow));
  EXPECT_EQ(names().size(), 2u);
  EXPECT_TRUE(f.system.shellOpened.empty());

  chooseInNameList(1);  // Beta
  control(kEditorButton);
  EXPECT_EQ(
      f.system.shellOpened,
      (std::vector<std::string>{resolveLocation(f.program.catalog.baseDirectory, ".\\Beta.c")}));
  control(kEditButton);
  EXPECT_TRUE(f.gui.hasWindow(kEditWindow));
  control(kEditCancel);
  EXPECT_FALSE(f.gui.hasWindow(kEditWindow));
  control(kDeleteButton);
  EXPECT_EQ(names(), (std::vector<std::string>{"Alpha"}));
}

TEST_F(ProgramRunTest, DialogButtonsOpenTheirWindowsAndDialogControlsReachThem) {
  ASSERT_TRUE(start());
  struct Case {
    int button, window, closer;
  };
  for (Case c :
       {Case{kAddButton, kAddWindow, kAddCancel}, Case{kGroupsButton, kGroupsWindow, kGroupsClose},
        Case{kOptionsButton, kOptionsWindow, kOptionsCancel}}) {
    control(c.button);
    EXPECT_TRUE(f.gui.hasWindow(c.window)) << c.button;
    EXPECT_FALSE(f.gui.isWindowEnabled(kMainWindow)) << c.button;
    control(c.closer);
    EXPECT_FALSE(f.gui.hasWindow(c.window)) << c.closer;
    EXPECT_TRUE(f.gui.isWindowEnabled(kMainWindow)) << c.closer;
  }
  control(kAboutButton);
  EXPECT_FALSE(f.gui.painted().empty());
}

TEST_F(ProgramRunTest, TabsSizeAndMenusThroughTheLoop) {
  writeWorkFile("autosave.ksf", catalogWith({"Alpha"}));
  ASSERT_TRUE(start());
  chooseInNameList(0);
  f.gui.userSelects(kViewTabs, 2);
  f.gui.pushControlEvent(kViewTabs);
  f.gui.resizeByUser(kMainWindow, 300, 200);
  f.gui.pushMenuEvent(kMenuGroupsHeading);
  f.gui.pushMenuEvent(kMenuFolderExpandAll);
  runEventLoop(f.program);  // ends with the close the queue gives when it runs dry

  EXPECT_TRUE(f.control(kFolderTree).visible);
  EXPECT_FALSE(f.control(kNameList).visible);
  EXPECT_EQ(f.program.catalog.selectedEntryIndex, 0);
  TextSize size = f.gui.clientSize(kMainWindow);
  EXPECT_EQ(size.width, 520);
  EXPECT_EQ(size.height, 440);
  EXPECT_EQ(f.control(kAboutButton).rect, (Rect{495, 410, 20, 20}));
  EXPECT_TRUE(f.gui.rowVisible(kFolderTree, 1));
  EXPECT_TRUE(workFileExists("autosave.ksf"));
}

TEST_F(ProgramRunTest, FailedSavesSayWhichFileAndClosingStillEnds) {
  const std::string bytes = catalogWith({"Alpha"});
  writeWorkFile("autosave.ksf", bytes);
  ASSERT_TRUE(start());
  f.system.failFileCreation = true;
  control(kAutosaveButton);
  EXPECT_FALSE(close());
  const std::string failed = catalogSaveFailedText("autosave.ksf");
  EXPECT_EQ(messageTexts(), (std::vector<std::string>{failed, failed}));
  EXPECT_NE(failed.find("autosave.ksf"), std::string::npos);
  EXPECT_EQ(workFile("autosave.ksf"), bytes);
}

TEST_F(ProgramRunTest, BackupFollowsEachSaveOfACleanAutosave) {
  const std::string first = catalogWith({"Alpha"});
  writeWorkFile("autosave.ksf", first);
  ASSERT_TRUE(start());
  f.addEntry("Beta", ".\\b.c");
  control(kAutosaveButton);
  EXPECT_EQ(workFile("autosave.ksf.bak"), first);
  const std::string second = workFile("autosave.ksf");
  f.addEntry("Gamma", ".\\g.c");
  close();
  EXPECT_EQ(workFile("autosave.ksf.bak"), second);
}

TEST_F(ProgramRunTest, DamagedAutosaveIsBackedUpOnceAndNeverReplacedInTheRun) {
  std::string badCheck = catalogWith({"Alpha"});
  badCheck[4] = static_cast<char>(badCheck[4] + 1);  // the first entry's check value
  struct Case {
    std::string damaged;
    const char* message;
  };
  for (const Case& c : {Case{"XXXX and more", kBadMagicText}, Case{badCheck, kBadCheckText}}) {
    test::ProgramFixture fresh;
    test::writeBytes(fresh.work.file("autosave.ksf"), c.damaged);
    ASSERT_TRUE(startProgram(fresh.program, ""));
    ASSERT_EQ(fresh.gui.messages().size(), 1u);
    EXPECT_EQ(fresh.gui.messages()[0].text, c.message);
    EXPECT_TRUE(fresh.program.autosaveLoadFailed);

    fresh.gui.pushControlEvent(kAutosaveButton);
    fresh.gui.pushControlEvent(kAutosaveButton);
    runEventLoop(fresh.program);  // two saves and the one on closing
    EXPECT_EQ(test::readBytes(fresh.work.file("autosave.ksf.bak")), c.damaged);
    EXPECT_EQ(test::readBytes(fresh.work.file("autosave.ksf")),
              encodeCatalog(fresh.program.catalog));
  }
}

}  // namespace
}  // namespace qk
