// Journeys with hostile and large files: the real program reads each damaged,
// huge or strange catalog and settings file, shows what the file rules say,
// keeps running, and on closing writes what it read, with the file it started
// from kept as autosave.ksf.bak.
#include "catalog/catalog_file.h"
#include "catalog/settings.h"
#include "e2e/journey.h"
#include "reliability/hostile_files.h"

namespace qk::e2e {
namespace {

constexpr int kNameList = 2;
constexpr int kFolderTree = 10;

int listCount(HWND list) { return static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)); }

// Closes the program and waits for its end longer than the driver does: with
// 100,000 entries the save and the teardown of the views take their time
// on a busy machine.
testing::AssertionResult closeSlowly(Program& program) {
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                               program.processId());
  if (!process) return testing::AssertionFailure() << "cannot open the program's process";
  PostMessageA(program.window(), WM_CLOSE, 0, 0);
  const bool ended = WaitForSingleObject(process, 6 * kWaitMs) == WAIT_OBJECT_0;
  DWORD exitCode = 1;
  GetExitCodeProcess(process, &exitCode);
  CloseHandle(process);
  if (!ended) return testing::AssertionFailure() << "the program did not end after closing";
  if (exitCode != 0) return testing::AssertionFailure() << "exit code " << exitCode;
  return testing::AssertionSuccess();
}

// Starts the program, answering the one message the file rules ask for.
testing::AssertionResult openAnswering(Program& program, const std::string& workDir,
                                       CatalogReadMessage message,
                                       const std::string& parameters = "",
                                       const std::string& title = "Quellkiste") {
  if (message == CatalogReadMessage::None) return program.open(workDir, parameters, title);
  auto started = program.start(workDir, parameters);
  if (!started) return started;
  HWND box = nullptr;
  auto shown = program.waitForMessageBox("Fehler", box);
  if (!shown) return shown;
  if (messageBoxText(box) != catalogReadMessageText(message))
    return testing::AssertionFailure() << "message \"" << messageBoxText(box) << "\"";
  pressOk(box);
  auto gone = program.waitForGone(box, "the message");
  return gone ? program.waitForMainWindow(title) : gone;
}

// What the program's save writes for the catalog it read from these bytes.
std::string savedForm(const std::string& bytes) {
  Catalog catalog;
  parseCatalogBytes(bytes, catalog);
  sortEntriesByName(catalog);
  return encodeCatalog(catalog);
}

using HostileFiles = Journey;

TEST_F(HostileFiles, EachCatalogLoadsAsTheFileRulesSayAndIsKept) {
  for (const test::HostileCatalog& hostile : test::hostileCatalogs()) {
    SCOPED_TRACE(hostile.what);
    test::ScratchDir dir;
    test::writeBytes(dir.file("autosave.ksf"), hostile.bytes);
    Program run;
    ASSERT_TRUE(openAnswering(run, dir.path(), hostile.message));
    EXPECT_TRUE(listRows(run.control(kNameList)) == hostile.entries);

    DWORD exitCode = 1;
    ASSERT_TRUE(run.close(exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(test::readBytes(dir.file("autosave.ksf")) == savedForm(hostile.bytes));
    EXPECT_TRUE(test::readBytes(dir.file("autosave.ksf.bak")) == hostile.bytes);
  }
}

TEST_F(HostileFiles, HundredThousandEntriesAreShownAndSavedBackUnchanged) {
  const std::string bytes = encodeCatalog(test::catalogOfSize(100000));
  test::writeBytes(file("autosave.ksf"), bytes);
  ASSERT_TRUE(program.open(workDir.path()));
  EXPECT_EQ(listCount(program.control(kNameList)), 100000);

  ASSERT_TRUE(closeSlowly(program));
  EXPECT_TRUE(test::readBytes(file("autosave.ksf")) == bytes) << "the catalog changed";
}

TEST_F(HostileFiles, LocationsBeyondTheDriveAnd260CharactersAreShownAndKept) {
  std::string upwards;
  for (int k = 0; k < 97; ++k) upwards += "..\\";
  upwards += "x\\tiefe.c";
  Catalog catalog;
  CatalogEntry& entry = addEntry(catalog);
  entry.name = "Tief";
  entry.location = upwards;
  entry.groupId = -1;
  writeCatalog(catalog, "autosave.ksf");
  const std::string bytes = test::readBytes(file("autosave.ksf"));

  ASSERT_TRUE(program.open(workDir.path()));
  const std::vector<TreeItem> items = program.treeItems(program.control(kFolderTree));
  ASSERT_EQ(items.size(), 1u + 96u + 1u + 1u);  // root, 96 "..", x and the entry
  EXPECT_EQ(items[1].text, "..");
  EXPECT_EQ(items.back().text, "Tief");
  EXPECT_EQ(items.back().level, 98);

  closeProgram();
  EXPECT_EQ(test::readBytes(file("autosave.ksf")), bytes);
}

TEST_F(HostileFiles, EachSettingsFileLoadsByTheLineRulesAndIsRewrittenAsSixLines) {
  for (const test::HostileSettings& hostile : test::hostileSettings()) {
    SCOPED_TRACE(hostile.what);
    test::writeBytes(settingsFilePath(), hostile.bytes);
    test::ScratchDir dir;
    Program run;
    ASSERT_TRUE(run.open(dir.path()));
    HWND box = nullptr;
    EXPECT_FALSE(run.waitForWindow("#32770", "Fehler", box, 0)) << "no message";

    DWORD exitCode = 1;
    ASSERT_TRUE(run.close(exitCode));
    EXPECT_EQ(exitCode, 0u);
    Options expected;
    expected.opt_stdautor = hostName();
    hostile.expect(expected);
    EXPECT_TRUE(test::readBytes(settingsFilePath()) == formatSettingsText(expected));
  }
}

}  // namespace
}  // namespace qk::e2e
