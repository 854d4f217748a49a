// Hostile and large files met by the program at start-up: catalogs with huge,
// impossible and negative text lengths, 100,000 entries, locations far
// outside the drive, a NUL-filled tail as a crash leaves it; settings files
// of 10 MB, with a 100,000-character value, with a UTF-8 mark and malformed
// sequences. Each loads as the file rules say, keeps no more than the file
// holds, and nothing is lost: the first save keeps the file as
// autosave.ksf.bak, and a file that did not load cleanly stays there.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/program_run.h"
#include "catalog/catalog_file.h"
#include "catalog/settings.h"
#include "reliability/hostile_files.h"
#include "support/catalog_names.h"
#include "support/program_events.h"
#include "support/program_fixture.h"
#include "ui/main/ids.h"

namespace qk {
namespace {

using M = CatalogReadMessage;
using test::HostileCatalog;
using test::HostileSettings;
using test::hostileCatalogs;
using test::hostileSettings;
using test::kMagic;

using test::entryNames;
using test::groupNames;

size_t textBytes(const Catalog& catalog) {
  size_t size = 0;
  for (const CatalogEntry& entry : catalog.entries.elements()) {
    size += entry.name.size() + entry.location.size() + entry.description.size() +
            entry.author.size();
  }
  for (const CatalogGroup& group : catalog.groups.elements()) size += group.name.size();
  return size;
}

// The program on the in-memory GUI in scratch folders.
class ProgramRun : public test::ProgramFixture {
 public:
  bool start(const std::string& commandLine = "") { return startProgram(program, commandLine); }
  bool press(int control, int type = 0) { return test::pressMainControl(program, control, type); }
  bool close() { return test::closeMainWindow(program); }
  std::vector<std::string> messageTexts() const {
    std::vector<std::string> texts;
    for (const auto& shown : gui.messages()) {
      EXPECT_EQ(shown.title, "Fehler");
      texts.push_back(shown.text);
    }
    return texts;
  }
  std::string workBytes(const std::string& name) const { return test::readBytes(work.file(name)); }
  const MemoryGui::TreeItem* treeItem(int tree, const std::string& text) const {
    for (const auto& item : control(tree).items) {
      if (item.text == text) return &item;
    }
    return nullptr;
  }
};

TEST(HostileCatalogs, EachLoadsAsTheFileRulesSayAndNothingIsLost) {
  for (const HostileCatalog& hostile : hostileCatalogs()) {
    SCOPED_TRACE(hostile.what);
    ProgramRun run;
    test::writeBytes(run.work.file(kAutosaveFileName), hostile.bytes);
    ASSERT_TRUE(run.start());
    std::vector<std::string> expectedMessages;
    if (hostile.message != M::None) expectedMessages.push_back(catalogReadMessageText(hostile.message));
    EXPECT_EQ(run.messageTexts(), expectedMessages);
    EXPECT_TRUE(entryNames(run.program.catalog) == hostile.entries);
    EXPECT_TRUE(groupNames(run.program.catalog) == hostile.groups);
    EXPECT_TRUE(run.control(kNameList).rows == hostile.entries);
    EXPECT_LE(textBytes(run.program.catalog), hostile.bytes.size());
    EXPECT_EQ(run.program.autosaveLoadFailed, !hostile.loadedCleanly);

    EXPECT_TRUE(run.press(kAutosaveButton));
    const std::string saved = encodeCatalog(run.program.catalog);
    // Compared as a whole: a difference in megabytes of bytes is no message.
    EXPECT_TRUE(run.workBytes(kAutosaveFileName) == saved);
    EXPECT_TRUE(run.workBytes("autosave.ksf.bak") == hostile.bytes) << "the file is kept";
    EXPECT_FALSE(run.close());
    EXPECT_TRUE(run.workBytes(kAutosaveFileName) == saved);
    const std::string& kept = hostile.loadedCleanly ? saved : hostile.bytes;
    EXPECT_TRUE(run.workBytes("autosave.ksf.bak") == kept)
        << (hostile.loadedCleanly ? "the last save is kept" : "the unreadable file stays kept");
    EXPECT_EQ(run.messageTexts(), expectedMessages) << "no save failed";
  }
}

TEST(HostileCatalogs, ImpossibleNumbersAreKeptAndShown) {
  ProgramRun run;
  const HostileCatalog negative = hostileCatalogs()[4];
  ASSERT_EQ(std::string(negative.what).rfind("length -1", 0), 0u);
  test::writeBytes(run.work.file(kAutosaveFileName), negative.bytes);
  ASSERT_TRUE(run.start());
  ASSERT_EQ(run.program.catalog.entries.countElements(), 1);
  const CatalogEntry& entry = run.program.catalog.entries.elements()[0];
  EXPECT_EQ(entry.typeCode, 0x7FFFFFFF);
  EXPECT_EQ(entry.modified, -1);
  EXPECT_EQ(entry.lineCount, -1);
  EXPECT_EQ(entry.groupId, 0x7FFFFFFF);
  EXPECT_EQ(entry.entryIndex, 0);
  EXPECT_EQ(entry.location, ".\\x.c");
  EXPECT_EQ(entry.description, "");
  EXPECT_EQ(entry.author, "Anna");
  EXPECT_EQ(run.gui.text(kDetailsText).rfind("Name: \n\nOrt: .\\x.c\n", 0), 0u);
}

TEST(HostileCatalogs, HundredThousandEntriesLoadWholeAndSaveBackUnchanged) {
  ProgramRun run;
  const std::string bytes = encodeCatalog(test::catalogOfSize(100000));
  test::writeBytes(run.work.file(kAutosaveFileName), bytes);
  ASSERT_TRUE(run.start());
  EXPECT_TRUE(run.gui.messages().empty());
  EXPECT_EQ(run.program.catalog.entries.countElements(), 100000);
  EXPECT_EQ(run.program.catalog.nextEntryIndex, 100000);
  EXPECT_EQ(run.gui.rowCount(kNameList), 100000);
  EXPECT_EQ(run.gui.rowCount(kFolderTree), 1 + 100 + 100000);
  EXPECT_FALSE(run.close());
  EXPECT_TRUE(run.workBytes(kAutosaveFileName) == bytes) << "the catalog changed";
}

TEST(HostileCatalogs, HundredThousandEqualEntriesDoNotStallTheSorts) {
  std::string bytes = kMagic;
  for (int k = 0; k < 100000; ++k) bytes += test::entryRecord("Gleich", 0);
  ProgramRun run;
  test::writeBytes(run.work.file(kAutosaveFileName), bytes);
  ASSERT_TRUE(run.start());
  EXPECT_EQ(run.gui.rowCount(kNameList), 100000);
  EXPECT_FALSE(run.close());
  EXPECT_EQ(run.workBytes(kAutosaveFileName).size(), bytes.size());
}

TEST(HostileCatalogs, LocationsOf300CharactersOutsideTheDriveAreKeptAsTheyAre) {
  std::string upwards;
  for (int k = 0; k < 97; ++k) upwards += "..\\";
  upwards += "x\\tiefe.c";
  std::string fullPath = "C:";
  while (fullPath.size() < 294) fullPath += "\\ordner";
  fullPath.resize(293);
  fullPath += "\\voll.c";
  ASSERT_EQ(upwards.size(), 300u);
  ASSERT_EQ(fullPath.size(), 300u);

  Catalog catalog;
  for (const auto& [name, location] : {std::pair<const char*, std::string>{"Tief", upwards},
                                       {"Voll", fullPath}}) {
    CatalogEntry& entry = addEntry(catalog);
    entry.name = name;
    entry.location = location;
    entry.groupId = -1;
  }
  const std::string bytes = encodeCatalog(catalog);
  ProgramRun run;
  test::writeBytes(run.work.file(kAutosaveFileName), bytes);
  ASSERT_TRUE(run.start());
  EXPECT_TRUE(run.gui.messages().empty());
  EXPECT_EQ(run.control(kNameList).rows, (std::vector<std::string>{"Tief", "Voll"}));
  // Every "..\" after the first is a folder node, one level deeper each.
  const MemoryGui::TreeItem* deep = run.treeItem(kFolderTree, "Tief");
  ASSERT_NE(deep, nullptr);
  EXPECT_EQ(deep->level, 98);
  const MemoryGui::TreeItem* full = run.treeItem(kFolderTree, "Voll");
  ASSERT_NE(full, nullptr);
  EXPECT_EQ(full->level, 43);

  run.gui.userSelects(kNameList, 0);
  run.press(kNameList, kListSelectionChanged);
  run.press(kEditorButton);
  EXPECT_EQ(run.system.shellOpened,
            (std::vector<std::string>{run.program.catalog.baseDirectory + upwards}));
  EXPECT_FALSE(run.close());
  EXPECT_EQ(run.workBytes(kAutosaveFileName), bytes);
}

TEST(HostileSettingsFiles, EachLoadsByTheLineRulesAndSavesAsSixLines) {
  for (const HostileSettings& hostile : hostileSettings()) {
    SCOPED_TRACE(hostile.what);
    ProgramRun run;
    const std::string path = run.profile.file(kSettingsFileName);
    test::writeBytes(path, hostile.bytes);
    ASSERT_TRUE(run.start());
    Options expected = defaultOptions(run.system);
    hostile.expect(expected);
    EXPECT_EQ(formatSettingsText(run.program.options), formatSettingsText(expected));
    EXPECT_LE(run.program.options.opt_stdautor.size() + run.program.options.opt_addpattern.size(),
              hostile.bytes.size());
    EXPECT_TRUE(run.gui.messages().empty());
    EXPECT_FALSE(run.close());
    EXPECT_TRUE(test::readBytes(path) == formatSettingsText(expected));
  }
}

}  // namespace
}  // namespace qk
