// The program's saves ("Autosave" and closing) on a file layer that fails one
// operation at a time, for every operation of the save, or runs out of space.
// Afterwards autosave.ksf is the old or the new catalog and nothing else, no
// temporary file is left, autosave.ksf.bak is the old catalog or the backup
// before it, and the user saw the save-failure message exactly when the
// catalog was not saved.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/program_run.h"
#include "catalog/catalog_file.h"
#include "platform/memory/memory_gui.h"
#include "support/program_events.h"
#include "support/faulty_system.h"
#include "support/scratch_system.h"
#include "support/test_files.h"
#include "ui/main/ids.h"
#include "ui/main/program.h"

namespace qk {
namespace {

const std::string kOlderBackup = "an older backup";
const std::string kAutosaveBak = std::string(kAutosaveFileName) + ".bak";

// A catalog whose file is about 1.5 MB, so that a save writes it in two
// pieces and the backup step reads it in many.
Catalog largeCatalog(const std::string& prefix) {
  Catalog catalog;
  for (int k = 0; k < 48; ++k) {
    CatalogEntry& entry = addEntry(catalog);
    entry.name = prefix + " " + std::to_string(100 + k);
    entry.location = ".\\quellen\\" + prefix + std::to_string(k) + ".c";
    entry.typeCode = 5;
    entry.description = std::string(30000, static_cast<char>('a' + k % 26));
    entry.author = "Anna";
    entry.groupId = -1;
  }
  addGroup(catalog, "Werkzeuge");
  return catalog;
}

const std::string& oldBytes() {
  static const std::string bytes = encodeCatalog(largeCatalog("Alt"));
  return bytes;
}

// The catalog's file with a wrong check value in its last entry record.
std::string withBadLastCheckValue(const Catalog& catalog) {
  size_t lastEntry = 4;
  const std::vector<CatalogEntry>& entries = catalog.entries.elements();
  for (size_t k = 0; k + 1 < entries.size(); ++k) {
    lastEntry += 44 + entries[k].name.size() + entries[k].location.size() +
                 entries[k].description.size() + entries[k].author.size();
  }
  std::string bytes = encodeCatalog(catalog);
  bytes[lastEntry] ^= 0x01;
  return bytes;
}

// The program on the in-memory GUI, over a file layer that can fail.
struct RunningProgram {
  test::ScratchDir work;
  test::ScratchDir profile;
  test::ScratchSystem scratch{work.path(), profile.path()};
  test::FaultySystem faulty{scratch};
  MemoryGui gui;
  Program program{gui, faulty};

  std::string workFile(const std::string& name) const { return work.file(name); }
  void putFile(const std::string& name, const std::string& bytes) const {
    test::writeBytes(workFile(name), bytes);
  }
  std::string bytesOf(const std::string& name) const { return test::readBytes(workFile(name)); }

  bool control(int control, int type = 0) { return test::pressMainControl(program, control, type); }
  bool close() { return test::closeMainWindow(program); }
  // The user deletes the first entry of the name list: the catalog in memory
  // is no longer the one in the file.
  void deleteFirstEntry() {
    gui.userSelects(kNameList, 0);
    control(kNameList, kListSelectionChanged);
    control(kDeleteButton);
  }

  std::vector<std::string> workFolderContent() const {
    std::vector<std::string> names;
    for (const auto& item : std::filesystem::directory_iterator(work.path()))
      names.push_back(item.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  size_t messageCount() const { return gui.messages().size(); }
};

// What one save attempt left behind, checked against the old and the new
// bytes. Returns whether the catalog was saved.
bool expectOldOrNew(const RunningProgram& run, const std::string& old, const std::string& fresh,
                    size_t messagesBefore, const std::vector<std::string>& otherFiles) {
  const std::string now = run.bytesOf(kAutosaveFileName);
  const bool saved = now == fresh;
  EXPECT_TRUE(saved || now == old) << "autosave.ksf is neither version (" << now.size()
                                   << " bytes)";
  const std::string backup = run.bytesOf(kAutosaveBak);
  if (saved) {
    EXPECT_EQ(backup, old) << "the saved-over catalog is not kept";
  } else {
    EXPECT_TRUE(backup == old || backup == kOlderBackup) << "backup of " << backup.size()
                                                         << " bytes";
  }
  std::vector<std::string> expectedFiles = otherFiles;
  expectedFiles.push_back(kAutosaveFileName);
  expectedFiles.push_back(kAutosaveBak);
  std::sort(expectedFiles.begin(), expectedFiles.end());
  EXPECT_EQ(run.workFolderContent(), expectedFiles) << "a temporary file is left";

  const auto& messages = run.gui.messages();
  EXPECT_EQ(messages.size() - messagesBefore, saved ? 0u : 1u);
  for (size_t m = messagesBefore; m < messages.size(); ++m) {
    EXPECT_EQ(messages[m].title, "Fehler");
    EXPECT_EQ(messages[m].text, catalogSaveFailedText(kAutosaveFileName));
  }
  return saved;
}

// The 1-based number of the operation that puts the new autosave.ksf in
// place: a save fails exactly when one of the operations up to it fails.
int replacingOperation(const test::FaultySystem& faulty) {
  const std::string replace = "replaceFile autosave.ksf.tmp -> autosave.ksf";
  const auto& log = faulty.log();
  const auto found = std::find(log.begin(), log.end(), replace);
  EXPECT_NE(found, log.end()) << faulty.logText();
  return static_cast<int>(found - log.begin()) + 1;
}

// "Autosave" with a command-line catalog while autosave.ksf holds another.
class AutosaveUnderFaults : public testing::Test {
 protected:
  void SetUp() override {
    run.putFile("neu.ksf", encodeCatalog(largeCatalog("Neu")));
    restoreOldFiles();
    ASSERT_TRUE(startProgram(run.program, "neu.ksf"));
    ASSERT_EQ(run.program.catalog.autosaveOnExit, 0);
    ASSERT_EQ(run.messageCount(), 0u);
    newBytes = encodeCatalog(run.program.catalog);
    ASSERT_NE(newBytes, oldBytes());
  }
  void restoreOldFiles() {
    run.putFile(kAutosaveFileName, oldBytes());
    run.putFile(kAutosaveBak, kOlderBackup);
  }
  bool pressAutosaveAndCheck() {
    const size_t before = run.messageCount();
    EXPECT_TRUE(run.control(kAutosaveButton));
    return expectOldOrNew(run, oldBytes(), newBytes, before, {"neu.ksf"});
  }

  RunningProgram run;
  std::string newBytes;
};

TEST_F(AutosaveUnderFaults, EveryFailingOperationKeepsOldOrNewAndTellsTheUser) {
  run.faulty.failOperation(0);
  ASSERT_TRUE(pressAutosaveAndCheck());
  const int steps = run.faulty.operationCount();
  const int replace = replacingOperation(run.faulty);
  // Backup: open, many reads, create, two writes, flush, close, replace;
  // the same for the catalog without the reads; then the settings file.
  ASSERT_GT(steps, 30) << run.faulty.logText();
  ASSERT_LT(replace, steps);

  for (int k = 1; k <= steps; ++k) {
    restoreOldFiles();
    run.faulty.failOperation(k);
    const bool saved = pressAutosaveAndCheck();
    EXPECT_EQ(saved, k > replace) << run.faulty.logText();
  }
  RecordProperty("faultCases", steps);
}

TEST_F(AutosaveUnderFaults, FullDiskSavesOnlyWhenBackupAndCatalogFit) {
  const size_t both = oldBytes().size() + newBytes.size();
  for (size_t space : {size_t{0}, size_t{100}, oldBytes().size() / 2, oldBytes().size(),
                       oldBytes().size() + 1000, both - 1, both, both + 1000}) {
    SCOPED_TRACE("space " + std::to_string(space));
    restoreOldFiles();
    run.faulty.reset();
    run.faulty.limitDiskSpace(space);
    EXPECT_EQ(pressAutosaveAndCheck(), space >= both);
  }
}

// Closing after a change, with the catalog from autosave.ksf: one fresh run
// per failing operation.
class ClosingUnderFaults : public testing::Test {
 protected:
  // Starts a run on the old files, changes the catalog and returns the bytes
  // the closing save writes.
  static std::string startAndChange(RunningProgram& run) {
    run.putFile(kAutosaveFileName, oldBytes());
    run.putFile(kAutosaveBak, kOlderBackup);
    EXPECT_TRUE(startProgram(run.program, ""));
    EXPECT_EQ(run.program.catalog.autosaveOnExit, 1);
    run.deleteFirstEntry();
    EXPECT_EQ(run.messageCount(), 0u);
    return encodeCatalog(run.program.catalog);
  }
};

TEST_F(ClosingUnderFaults, EveryFailingOperationKeepsOldOrNewAndStillEnds) {
  int steps = 0;
  int replace = 0;
  {
    RunningProgram clean;
    const std::string fresh = startAndChange(clean);
    clean.faulty.failOperation(0);
    EXPECT_FALSE(clean.close());
    ASSERT_TRUE(expectOldOrNew(clean, oldBytes(), fresh, 0, {}));
    steps = clean.faulty.operationCount();
    replace = replacingOperation(clean.faulty);
    ASSERT_GT(steps, 30) << clean.faulty.logText();
  }
  for (int k = 1; k <= steps; ++k) {
    RunningProgram run;
    const std::string fresh = startAndChange(run);
    run.faulty.failOperation(k);
    EXPECT_FALSE(run.close()) << "the loop ends after the message";
    EXPECT_EQ(expectOldOrNew(run, oldBytes(), fresh, 0, {}), k > replace)
        << run.faulty.logText();
  }
  RecordProperty("faultCases", steps);
}

TEST_F(ClosingUnderFaults, FullDiskKeepsTheOldCatalogAndStillEnds) {
  for (size_t space : {size_t{0}, oldBytes().size() / 3, oldBytes().size() + 1000}) {
    SCOPED_TRACE("space " + std::to_string(space));
    RunningProgram run;
    const std::string fresh = startAndChange(run);
    run.faulty.limitDiskSpace(space);
    EXPECT_FALSE(run.close());
    EXPECT_FALSE(expectOldOrNew(run, oldBytes(), fresh, 0, {}));
  }
}

// A damaged autosave.ksf: whichever operation of the run's first save fails,
// the damaged file ends up kept in autosave.ksf.bak, and the later saves of
// the run do not replace that backup.
TEST(DamagedAutosaveUnderFaults, TheUnreadableFileIsNeverLost) {
  const std::string damaged = withBadLastCheckValue(largeCatalog("Alt"));
  int steps = 0;
  for (int k = 0; k <= steps; ++k) {
    SCOPED_TRACE("failing operation " + std::to_string(k));
    RunningProgram run;
    run.putFile(kAutosaveFileName, damaged);
    ASSERT_TRUE(startProgram(run.program, ""));
    ASSERT_EQ(run.messageCount(), 1u) << "the check-value message";
    const std::string fresh = encodeCatalog(run.program.catalog);
    run.putFile(kAutosaveBak, kOlderBackup);

    run.faulty.failOperation(k);
    EXPECT_TRUE(run.control(kAutosaveButton));
    expectOldOrNew(run, damaged, fresh, 1, {});
    if (k == 0) steps = run.faulty.operationCount();

    run.faulty.reset();
    EXPECT_TRUE(run.control(kAutosaveButton));
    EXPECT_FALSE(run.close());
    EXPECT_EQ(run.bytesOf(kAutosaveFileName), fresh);
    EXPECT_EQ(run.bytesOf(kAutosaveBak), damaged);
  }
  EXPECT_GT(steps, 30);
  RecordProperty("faultCases", steps);
}

}  // namespace
}  // namespace qk
