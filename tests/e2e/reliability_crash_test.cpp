// A crash during a save: with 100,000 entries the program is killed
// (TerminateProcess) at a random moment while "Autosave" is pressed again and
// again. Whenever it dies, autosave.ksf must load cleanly and completely as
// either the catalog it held before or the one being saved.
#include <random>

#include "catalog/catalog_file.h"
#include "e2e/journey.h"
#include "reliability/hostile_files.h"

namespace qk::e2e {
namespace {

constexpr int kAutosaveButton = 14;
constexpr int kKills = 20;
constexpr int kPressesPerRun = 4;

// The old version: 100,000 entries. The new version differs in every entry.
Catalog newVersion() {
  Catalog catalog = test::catalogOfSize(100000);
  for (CatalogEntry& entry : catalog.entries.elements()) entry.author = "Bert";
  return catalog;
}

// Kills the running program without letting it finish anything.
testing::AssertionResult kill(Program& program) {
  HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, program.processId());
  if (!process) return testing::AssertionFailure() << "cannot open the program's process";
  const bool killed = TerminateProcess(process, 9) &&
                      WaitForSingleObject(process, kWaitMs) == WAIT_OBJECT_0;
  CloseHandle(process);
  if (!killed) return testing::AssertionFailure() << "the program did not end when killed";
  return testing::AssertionSuccess();
}

// Which version the file holds: 0 the old, 1 the new, -1 neither.
int versionOf(const std::string& bytes, const std::string& oldBytes,
              const std::string& newBytes) {
  if (bytes == oldBytes) return 0;
  if (bytes == newBytes) return 1;
  return -1;
}

using CrashDuringSave = Journey;

TEST_F(CrashDuringSave, AutosaveKsfIsAlwaysTheOldOrTheNewCatalog) {
  const std::string oldBytes = encodeCatalog(test::catalogOfSize(100000));
  writeCatalog(newVersion(), "neu.ksf");
  const std::string newBytes = test::readBytes(file("neu.ksf"));
  const std::string title = "Quellkiste - neu.ksf";

  // How long one save takes here: the settings file is written right after
  // the catalog.
  test::writeBytes(file("autosave.ksf"), oldBytes);
  ASSERT_TRUE(program.open(workDir.path(), "neu.ksf", title));
  const DWORD pressed = GetTickCount();
  pressButton(program.control(kAutosaveButton));
  ASSERT_TRUE(waitUntil("the settings file after the save",
                        [] { return test::exists(settingsFilePath()); }));
  const DWORD saveMs = GetTickCount() - pressed + 1;
  ASSERT_TRUE(kill(program));
  ASSERT_TRUE(test::readBytes(file("autosave.ksf")) == newBytes);

  std::mt19937 random(1990);
  std::uniform_int_distribution<DWORD> delay(0, saveMs * (kPressesPerRun - 1));
  int found[2] = {0, 0};
  for (int attempt = 0; attempt < kKills; ++attempt) {
    const DWORD delayMs = delay(random);
    SCOPED_TRACE("kill " + std::to_string(attempt) + " after " + std::to_string(delayMs) + " ms");
    test::writeBytes(file("autosave.ksf"), oldBytes);
    Program run;
    ASSERT_TRUE(run.open(workDir.path(), "neu.ksf", title));
    for (int press = 0; press < kPressesPerRun; ++press)
      pressButton(run.control(kAutosaveButton));
    Sleep(delayMs);  // the random moment of the crash is what this journey is about
    ASSERT_TRUE(kill(run));

    const std::string bytes = test::readBytes(file("autosave.ksf"));
    const int version = versionOf(bytes, oldBytes, newBytes);
    ASSERT_NE(version, -1) << "autosave.ksf is neither version (" << bytes.size() << " bytes)";
    ++found[version];
    Catalog loaded;
    const CatalogReadReport report = parseCatalogBytes(bytes, loaded);
    EXPECT_TRUE(report.clean());
    EXPECT_EQ(loaded.entries.countElements(), 100000);
    EXPECT_EQ(loaded.groups.countElements(), 10);
    if (test::exists(file("autosave.ksf.bak"))) {
      EXPECT_NE(versionOf(test::readBytes(file("autosave.ksf.bak")), oldBytes, newBytes), -1);
    }
  }
  RecordProperty("oldVersionFound", found[0]);
  RecordProperty("newVersionFound", found[1]);
  RecordProperty("oneSaveMs", static_cast<int>(saveMs));
}

}  // namespace
}  // namespace qk::e2e
