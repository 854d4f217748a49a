#include "catalog/catalog_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/catalog_names.h"
#include "support/faulty_system.h"
#include "support/test_files.h"

namespace qk {
namespace {

using test::FaultySystem;
using test::ScratchDir;

// The 87 bytes of the catalog with the entry Test and the group Tools.
const std::string kWorkedExample(
    "\xC6\x07\x00\x00"
    "\x26\x00\x00\x00\x01\x00\x00\x00\x05\x00\x00\x00\x8D\xDC\xAF\x49\x0C\x00\x00\x00"
    "\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x04\x00\x00\x00Test"
    "\x05\x00\x00\x00.\\a.c"
    "\x00\x00\x00\x00"
    "\x09\x00\x00\x00Unbekannt"
    "\x09\x00\x00\x00\x02\x00\x00\x00\x00\x00\x00\x00"
    "\x05\x00\x00\x00Tools",
    87);

std::string le32(int32_t value) {
  const uint32_t bits = static_cast<uint32_t>(value);
  return {static_cast<char>(bits), static_cast<char>(bits >> 8), static_cast<char>(bits >> 16),
          static_cast<char>(bits >> 24)};
}

std::string counted(const std::string& text) {
  return le32(static_cast<int32_t>(text.size())) + text;
}

const std::string kMagic = le32(1990);

// An entry record with the right check value unless one is given.
std::string entryRecord(const std::string& name, int32_t entryIndex,
                        const std::string& description = "", int32_t checkDelta = 0) {
  const int32_t check = static_cast<int32_t>(name.size() + description.size()) + 20 + checkDelta;
  return le32(check) + le32(1) + le32(3) + le32(100) + le32(7) + le32(-1) + le32(entryIndex) +
         counted(name) + counted("") + counted(description) + counted("");
}

std::string groupRecord(const std::string& name, int32_t groupId, int32_t check) {
  return le32(check) + le32(2) + le32(groupId) + counted(name);
}

std::string groupRecord(const std::string& name, int32_t groupId) {
  return groupRecord(name, groupId, static_cast<int32_t>(name.size()) + 4);
}

Catalog workedExampleCatalog() {
  Catalog catalog;
  CatalogEntry& entry = addEntry(catalog);
  entry.name = "Test";
  entry.location = ".\\a.c";
  entry.typeCode = 5;
  entry.modified = 1236262029;
  entry.lineCount = 12;
  entry.groupId = 0;
  entry.author = "Unbekannt";
  addGroup(catalog, "Tools");
  return catalog;
}

using test::entryNames;
using test::groupNames;

TEST(CatalogFile, WorkedExampleEncodesToItsBytes) {
  EXPECT_EQ(encodeCatalog(workedExampleCatalog()), kWorkedExample);
}

TEST(CatalogFile, WorkedExampleParsesToItsFieldsAndBack) {
  Catalog catalog;
  const CatalogReadReport report = parseCatalogBytes(kWorkedExample, catalog);
  EXPECT_EQ(report.result, 1);
  EXPECT_TRUE(report.clean());
  EXPECT_EQ(report.entriesRead, 1);
  EXPECT_EQ(report.groupsRead, 1);
  ASSERT_EQ(catalog.entries.countElements(), 1);
  const CatalogEntry& entry = catalog.entries.elements()[0];
  EXPECT_EQ(entry.name, "Test");
  EXPECT_EQ(entry.location, ".\\a.c");
  EXPECT_EQ(entry.typeCode, 5);
  EXPECT_EQ(entry.description, "");
  EXPECT_EQ(entry.modified, 1236262029);
  EXPECT_EQ(entry.lineCount, 12);
  EXPECT_EQ(entry.author, "Unbekannt");
  EXPECT_EQ(entry.groupId, 0);
  EXPECT_EQ(entry.entryIndex, 0);
  ASSERT_EQ(catalog.groups.countElements(), 1);
  EXPECT_EQ(catalog.groups.elements()[0].name, "Tools");
  EXPECT_EQ(catalog.groups.elements()[0].groupId, 0);
  EXPECT_EQ(catalog.nextEntryIndex, 1);
  EXPECT_EQ(encodeCatalog(catalog), kWorkedExample);
}

TEST(CatalogFile, ReadAndWriteThroughTheRealFileSystem) {
  ScratchDir dir;
  std::unique_ptr<System> system = makeSystem();
  const std::string path = dir.file("autosave.ksf");
  ASSERT_EQ(writeCatalogFile(*system, workedExampleCatalog(), path, false), SaveResult::Saved);
  EXPECT_EQ(test::readBytes(path), kWorkedExample);
  EXPECT_FALSE(test::exists(path + ".tmp"));

  Catalog catalog;
  const CatalogReadReport report = readCatalogFile(*system, catalog, path);
  EXPECT_EQ(report.result, 1);
  EXPECT_EQ(encodeCatalog(catalog), kWorkedExample);
}

TEST(CatalogFile, MissingFileYieldsMinusOneWithoutMessageAndClearsTheCatalog) {
  ScratchDir dir;
  std::unique_ptr<System> system = makeSystem();
  Catalog catalog = workedExampleCatalog();
  const CatalogReadReport report = readCatalogFile(*system, catalog, dir.file("missing.ksf"));
  EXPECT_EQ(report.result, -1);
  EXPECT_EQ(report.message, CatalogReadMessage::None);
  EXPECT_EQ(catalog.entries.countElements(), 0);
  EXPECT_EQ(catalog.groups.countElements(), 0);
}

TEST(CatalogFile, MessagesAndTitle) {
  EXPECT_STREQ(kCatalogMessageTitle, "Fehler");
  EXPECT_STREQ(catalogReadMessageText(CatalogReadMessage::BadMagic),
               "Die Authentifizierung dieser Datei ist leider fehlgeschlagen.\n Abbruch der "
               "Operation.");
  EXPECT_STREQ(catalogReadMessageText(CatalogReadMessage::BadCheckValue),
               "Eine Checksumme ist nicht korrekt.\n Abbruch der Operation.");
  EXPECT_STREQ(catalogReadMessageText(CatalogReadMessage::None), "");
  const std::string text = catalogSaveFailedText("C:\\daten\\autosave.ksf");
  EXPECT_NE(text.find("C:\\daten\\autosave.ksf"), std::string::npos);
}

struct DamagedFile {
  const char* what;
  std::string bytes;
  int result;
  CatalogReadMessage message;
  std::vector<std::string> entries;
  std::vector<std::string> groups;
  int unknownRecords;
  int64_t badRecordOffset;
  bool endedInsideRecord;
};

std::vector<DamagedFile> damagedFiles() {
  using M = CatalogReadMessage;
  const std::string first = entryRecord("first", 0);
  const std::string hugeText(70000, 'x');
  const std::string fullGroup = groupRecord("Tools", 0);
  const int64_t second = static_cast<int64_t>(4 + first.size());
  // clang-format off
  return {
      // what, bytes,
      //     result, message, entries, groups, unknownRecords, badRecordOffset, endedInsideRecord
      {"empty", "",
          -1, M::BadMagic, {}, {}, 0, -1, false},
      {"three bytes", kMagic.substr(0, 3),
          -1, M::BadMagic, {}, {}, 0, -1, false},
      {"wrong magic", le32(1991) + first,
          -1, M::BadMagic, {}, {}, 0, -1, false},
      {"magic only", kMagic,
          1, M::None, {}, {}, 0, -1, false},
      {"bad check value in the second entry",
          kMagic + first + entryRecord("second", 1, "", 1) + entryRecord("third", 2) + fullGroup,
          1, M::BadCheckValue, {"first"}, {}, 0, second, false},
      {"group with check value 0", kMagic + groupRecord("Tools", 0, 0),
          1, M::None, {}, {"Tools"}, 0, -1, false},
      {"unknown record type", kMagic + le32(0) + le32(7) + first + fullGroup,
          1, M::None, {"first"}, {"Tools"}, 1, -1, false},
      {"cut inside a group name", kMagic + fullGroup.substr(0, fullGroup.size() - 2),
          1, M::None, {}, {"Too"}, 0, -1, true},
      {"cut inside a length", kMagic + fullGroup.substr(0, 14),
          1, M::None, {}, {""}, 0, -1, true},
      {"cut inside an entry", kMagic + first + entryRecord("second", 1).substr(0, 35),
          1, M::BadCheckValue, {"first"}, {}, 0, second, true},
      {"cut after the record type 2", kMagic + le32(9) + le32(2),
          1, M::None, {}, {""}, 0, -1, true},
      {"huge stored length", kMagic + le32(9) + le32(2) + le32(0) + le32(0x7FFFFFFF) + "abc",
          1, M::None, {}, {"abc"}, 0, -1, true},
      {"negative length counts as 0",
          kMagic + le32(4) + le32(2) + le32(0) + le32(-5) + groupRecord("Web", 1),
          1, M::None, {}, {"", "Web"}, 0, -1, false},
      {"text over 65,537 bytes is cut and skipped",
          kMagic + groupRecord(hugeText, 0) + groupRecord("Web", 1),
          1, M::None, {}, {std::string(65537, 'x'), "Web"}, 0, -1, false},
      {"entry text over 65,537 bytes fails its check value",
          kMagic + first + entryRecord("long", 1, hugeText),
          1, M::BadCheckValue, {"first"}, {}, 0, second, false},
      {"byte 0 dropped from a group name", kMagic + groupRecord(std::string("To\0ols", 6), 0),
          1, M::None, {}, {"Tools"}, 0, -1, false},
      {"byte 0 in an entry text fails its check value",
          kMagic + entryRecord(std::string("fi\0rst", 6), 0),
          1, M::BadCheckValue, {}, {}, 0, 4, false},
  };
  // clang-format on
}

TEST(CatalogFile, DamagedFilesGiveTheirResultMessageAndState) {
  for (const DamagedFile& file : damagedFiles()) {
    SCOPED_TRACE(file.what);
    Catalog catalog = workedExampleCatalog();
    const CatalogReadReport report = parseCatalogBytes(file.bytes, catalog);
    EXPECT_EQ(report.result, file.result);
    EXPECT_EQ(report.message, file.message);
    EXPECT_EQ(entryNames(catalog), file.entries);
    EXPECT_EQ(groupNames(catalog), file.groups);
    EXPECT_EQ(report.entriesRead, static_cast<int>(file.entries.size()));
    EXPECT_EQ(report.groupsRead, static_cast<int>(file.groups.size()));
    EXPECT_EQ(report.unknownRecords, file.unknownRecords);
    EXPECT_EQ(report.badRecordOffset, file.badRecordOffset);
    EXPECT_EQ(report.endedInsideRecord, file.endedInsideRecord);
  }
}

TEST(CatalogFile, EntriesComeOutInIndexOrderAndNextIndexGrowsPerKeptEntry) {
  Catalog catalog;
  parseCatalogBytes(kMagic + entryRecord("c", 2) + entryRecord("a", 0) + entryRecord("b", 1),
                    catalog);
  EXPECT_EQ(entryNames(catalog), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(catalog.nextEntryIndex, 3);
  EXPECT_EQ(catalog.entries.currentElement()->name, "c");

  Catalog gap;
  parseCatalogBytes(kMagic + entryRecord("a", 0) + entryRecord("c", 2), gap);
  EXPECT_EQ(gap.nextEntryIndex, 2);
  EXPECT_EQ(addEntry(gap).entryIndex, 2);

  Catalog counted;
  counted.nextEntryIndex = 5;  // the reader grows it, it does not reset it
  parseCatalogBytes(kWorkedExample, counted);
  EXPECT_EQ(counted.nextEntryIndex, 6);
}

TEST(CatalogFile, LongAndEmptyTextsRoundTrip) {
  Catalog catalog;
  CatalogEntry& entry = addEntry(catalog);
  entry.name = "lang";
  entry.description = std::string(65537, 'd');
  const std::string bytes = encodeCatalog(catalog);
  EXPECT_EQ(bytes.size(), 4u + 44u + 4u + 65537u);
  EXPECT_EQ(bytes.substr(4 + 32 + 4 + 4, 4), le32(65537));

  Catalog read;
  EXPECT_TRUE(parseCatalogBytes(bytes, read).clean());
  ASSERT_EQ(read.entries.countElements(), 1);
  EXPECT_EQ(read.entries.elements()[0].description, entry.description);
  EXPECT_EQ(read.entries.elements()[0].location, "");
}

// A catalog large enough to be written in several pieces.
Catalog largeCatalog() {
  Catalog catalog;
  for (int k = 0; k < 300; ++k) {
    CatalogEntry& entry = addEntry(catalog);
    entry.name = "Datei " + std::to_string(k);
    entry.description = std::string(8000, static_cast<char>('a' + k % 26));
  }
  addGroup(catalog, "Werkzeuge");
  return catalog;
}

class CatalogSave : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(writeCatalogFile(*real_, workedExampleCatalog(), path_, false), SaveResult::Saved);
  }

  void expectOldFileKept(const std::string& context) {
    SCOPED_TRACE(context);
    EXPECT_EQ(test::readBytes(path_), kWorkedExample);
    EXPECT_FALSE(test::exists(path_ + ".tmp"));
    EXPECT_FALSE(test::exists(path_ + ".bak.tmp"));
  }

  ScratchDir dir_;
  std::unique_ptr<System> real_ = makeSystem();
  FaultySystem faulty_{*real_};
  std::string path_ = dir_.file("autosave.ksf");
  Catalog newCatalog_ = largeCatalog();
};

TEST_F(CatalogSave, FailureAtEachStepLeavesTheOldFileAsItWas) {
  for (bool keepBackup : {false, true}) {
    SCOPED_TRACE(keepBackup ? "with backup" : "without backup");
    faulty_.reset();
    ASSERT_EQ(writeCatalogFile(faulty_, newCatalog_, path_, keepBackup), SaveResult::Saved);
    const int steps = faulty_.operationCount();
    // Three pieces written, and with a backup the old file read and written too.
    ASSERT_GE(steps, keepBackup ? 15 : 7) << faulty_.logText();
    for (int k = 1; k <= steps; ++k) {
      test::writeBytes(path_, kWorkedExample);
      test::writeBytes(path_ + ".bak", "older backup");
      faulty_.failOperation(k);
      EXPECT_EQ(writeCatalogFile(faulty_, newCatalog_, path_, keepBackup), SaveResult::Failed)
          << faulty_.logText();
      expectOldFileKept(faulty_.logText());
      const std::string backup = test::readBytes(path_ + ".bak");
      EXPECT_TRUE(backup == "older backup" || (keepBackup && backup == kWorkedExample))
          << faulty_.logText();
    }
  }
}

TEST_F(CatalogSave, FullDiskLeavesTheOldFileAsItWas) {
  for (size_t space : {size_t{0}, size_t{100}, size_t{1} << 20, size_t{2} << 20}) {
    faulty_.reset();
    faulty_.limitDiskSpace(space);
    EXPECT_EQ(writeCatalogFile(faulty_, newCatalog_, path_, false), SaveResult::Failed);
    expectOldFileKept("space " + std::to_string(space));
  }
}

TEST_F(CatalogSave, UncreatableFileFailsAndWritesNothing) {
  const std::string inMissingFolder = dir_.file("fehlt") + "\\autosave.ksf";
  EXPECT_EQ(writeCatalogFile(*real_, newCatalog_, inMissingFolder, true), SaveResult::Failed);
  EXPECT_FALSE(test::exists(dir_.file("fehlt")));
}

TEST_F(CatalogSave, BackupKeepsThePreviousBytesOnlyWhenAsked) {
  test::writeBytes(path_ + ".bak", "older backup");
  ASSERT_EQ(writeCatalogFile(*real_, newCatalog_, path_, false), SaveResult::Saved);
  EXPECT_EQ(test::readBytes(path_ + ".bak"), "older backup");

  ASSERT_EQ(writeCatalogFile(*real_, workedExampleCatalog(), path_, true), SaveResult::Saved);
  EXPECT_EQ(test::readBytes(path_), kWorkedExample);
  EXPECT_EQ(test::readBytes(path_ + ".bak"), encodeCatalog(newCatalog_));

  const std::string fresh = dir_.file("neu.ksf");
  ASSERT_EQ(writeCatalogFile(*real_, newCatalog_, fresh, true), SaveResult::Saved);
  EXPECT_FALSE(test::exists(fresh + ".bak"));
}

TEST_F(CatalogSave, BackupThatCannotBeKeptSavesNothing) {
  faulty_.failEvery(test::FileOperation::CreateFile);
  EXPECT_EQ(writeCatalogFile(faulty_, newCatalog_, path_, true), SaveResult::Failed);
  expectOldFileKept(faulty_.logText());
  EXPECT_EQ(faulty_.log().front().rfind("openForReading", 0), 0u) << faulty_.logText();
  EXPECT_FALSE(test::exists(path_ + ".bak"));
}

}  // namespace
}  // namespace qk
