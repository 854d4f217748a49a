#include "sources/file_facts.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "support/test_files.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <utime.h>

#include <ctime>
#endif

namespace qk {
namespace {

// Sets a file's last-write time to a local wall-clock time.
bool setLocalWriteTime(const std::string& path, const LocalTime& t) {
#ifdef _WIN32
  SYSTEMTIME local{};
  local.wYear = static_cast<WORD>(t.year);
  local.wMonth = static_cast<WORD>(t.month);
  local.wDay = static_cast<WORD>(t.day);
  local.wHour = static_cast<WORD>(t.hour);
  local.wMinute = static_cast<WORD>(t.minute);
  local.wSecond = static_cast<WORD>(t.second);
  FILETIME localTime, utcTime;
  if (!SystemTimeToFileTime(&local, &localTime) || !LocalFileTimeToFileTime(&localTime, &utcTime)) {
    return false;
  }
  HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool set = SetFileTime(file, nullptr, nullptr, &utcTime);
  CloseHandle(file);
  return set;
#else
  std::tm fields{};
  fields.tm_year = t.year - 1900;
  fields.tm_mon = t.month - 1;
  fields.tm_mday = t.day;
  fields.tm_hour = t.hour;
  fields.tm_min = t.minute;
  fields.tm_sec = t.second;
  fields.tm_isdst = -1;
  const std::time_t when = std::mktime(&fields);
  const utimbuf times{when, when};
  return utime(path.c_str(), &times) == 0;
#endif
}

const LocalTime kMarch2009{2009, 3, 5, 14, 7, 9};
constexpr int32_t kMarch2009Date = 1236262029;

class FileFactsTest : public ::testing::Test {
 protected:
  std::string fileWith(const std::string& bytes, const std::string& name = "datei.txt") {
    const std::string path = dir.file(name);
    test::writeBytes(path, bytes);
    return path;
  }
  test::ScratchDir dir;
  std::unique_ptr<System> system = makeSystem();
};

TEST_F(FileFactsTest, CountsLinesEndedByCrLfCrLfOrNul) {
  const std::vector<std::pair<std::string, int32_t>> cases = {
      {"", 0},
      {"a", 1},
      {"a\n", 1},
      {"a\r\n", 1},
      {"a\r", 1},
      {"a\nb", 2},
      {"a\rb", 2},
      {"a\n\n", 2},
      {"\n", 1},
      {"a\n\rb", 3},
      {std::string("a\0b", 3), 2},
      {std::string("a\0\n", 3), 2},
      {"\r\n\r\n", 2},
      {"\r\r\n\n", 3},
  };
  for (const auto& [bytes, lines] : cases) {
    EXPECT_EQ(countLines(*system, fileWith(bytes)), lines) << testing::PrintToString(bytes);
  }
}

TEST_F(FileFactsTest, CountsAcrossTheEndsOfTheReadBuffer) {
  const std::string full(4096, 'a');
  const std::string almost(4095, 'a');
  const std::vector<std::pair<std::string, int32_t>> cases = {
      {almost + "\r\nb", 2},    // CR LF split between two reads
      {almost + "\r\n", 1},     //
      {almost + "\r\rb", 3},    // CR at the end of a read, CR after it
      {full + "\n", 1},         // LF first in a read after a plain byte
      {full + "b", 1},          // a line longer than the buffer
      {full + full + "\r", 1},  //
      {full + std::string(1, '\0') + "b", 2},
  };
  for (const auto& [bytes, lines] : cases) {
    EXPECT_EQ(countLines(*system, fileWith(bytes)), lines) << bytes.size() << " bytes";
  }
}

TEST_F(FileFactsTest, TenLinesWithAndWithoutTheFinalCrLf) {
  std::string text;
  for (int i = 0; i < 10; ++i) text += "Zeile " + std::to_string(i) + "\r\n";
  EXPECT_EQ(countLines(*system, fileWith(text)), 10);
  EXPECT_EQ(countLines(*system, fileWith(text.substr(0, text.size() - 2))), 10);
}

// The counting steps one byte at a time, as a reference for the buffered scan.
int32_t referenceLineCount(const std::string& bytes) {
  int32_t lines = 0;
  size_t i = 0;
  while (i < bytes.size()) {
    ++lines;
    while (i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n' && bytes[i] != '\0') ++i;
    if (i == bytes.size()) break;
    const char ended = bytes[i++];
    if (ended == '\r' && i < bytes.size() && bytes[i] == '\n') ++i;
  }
  return lines;
}

TEST_F(FileFactsTest, AgreesWithTheByteByByteStepsOnRandomContent) {
  std::mt19937 random(20090305);
  const char alphabet[] = {'a', '\r', '\n', '\0', '\xFF'};
  std::uniform_int_distribution<int> pick(0, 4);
  std::uniform_int_distribution<size_t> length(0, 20000);
  for (int round = 0; round < 20; ++round) {
    std::string bytes(length(random), 'a');
    for (char& c : bytes) c = alphabet[pick(random)];
    EXPECT_EQ(countLines(*system, fileWith(bytes)), referenceLineCount(bytes)) << "round " << round;
  }
}

TEST_F(FileFactsTest, AMissingFileHasNoLinesAndNoDate) {
  const std::string missing = dir.file("fehlt.txt");
  EXPECT_EQ(countLines(*system, missing), 0);
  EXPECT_EQ(fileModifiedDate(*system, missing), 0);
  const EntryFacts facts = factsForNewEntry(*system, missing);
  EXPECT_EQ(facts.lineCount, 0);
  EXPECT_EQ(facts.modified, 0);
}

TEST_F(FileFactsTest, ReadsTheLocalWriteTimeWithinTheRangeOfTheDateValue) {
  const std::vector<std::pair<LocalTime, int32_t>> cases = {
      {kMarch2009, kMarch2009Date},
      {{2038, 1, 19, 3, 14, 7}, std::numeric_limits<int32_t>::max()},
      {{1960, 6, 1, 12, 0, 0}, 0},
      {{2040, 6, 1, 12, 0, 0}, 0},
  };
  const std::string path = fileWith("x");
  for (const auto& [time, date] : cases) {
    ASSERT_TRUE(setLocalWriteTime(path, time));
    EXPECT_EQ(fileModifiedDate(*system, path), date) << time.year;
  }
}

TEST_F(FileFactsTest, FactsForANewEntryAreItsLinesAndDate) {
  const std::string path = fileWith("a\r\nb\r\nc");
  ASSERT_TRUE(setLocalWriteTime(path, kMarch2009));
  const EntryFacts facts = factsForNewEntry(*system, path);
  EXPECT_EQ(facts.lineCount, 3);
  EXPECT_EQ(facts.modified, kMarch2009Date);
}

TEST(DateFromFields, CountsDaysOfTheGregorianCalendarAndSecondsOfTheDay) {
  EXPECT_EQ(dateFromFields(1970, 1, 1, 0, 0, 0), 0);
  EXPECT_EQ(dateFromFields(1970, 1, 1, 14, 7, 9), 50829);
  EXPECT_EQ(dateFromFields(2009, 3, 5, 14, 7, 9), kMarch2009Date);
  EXPECT_EQ(dateFromFields(2000, 3, 1, 0, 0, 0), 951868800);
  EXPECT_EQ(dateFromFields(2038, 1, 19, 3, 14, 7), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(dateFromFields(2038, 1, 19, 3, 14, 8),
            int64_t{std::numeric_limits<int32_t>::max()} + 1);
  EXPECT_EQ(dateFromFields(1969, 12, 31, 23, 59, 59), -1);
}

TEST(FormatDate, ReplacesTheTokensAfterAPercentSign) {
  struct Case {
    std::string mask;
    int32_t date;
    std::string text;
  };
  const std::vector<Case> cases = {
      {kDateMask, kMarch2009Date, "14:07:09 05.03.2009"},
      {kDateMask, 0, "00:00:00 01.01.1970"},
      {kDateMask, std::numeric_limits<int32_t>::max(), "03:14:07 19.01.2038"},
      {kDateMask, 951782400, "00:00:00 29.02.2000"},
      {"%YYYY", kMarch2009Date, "2009"},
      {"%yY", kMarch2009Date, "09"},
      {"%yy", kMarch2009Date, "09"},
      {"%yyy", kMarch2009Date, "09y"},
      {"%MM/%Dd %hH%Ii%SS", kMarch2009Date, "03/05 140709"},
      {"100%", kMarch2009Date, "100%"},
      {"%%dd %x %", kMarch2009Date, "%05 %x %"},
      {"", kMarch2009Date, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(formatDate(c.mask, c.date), c.text) << c.mask;
}

TEST(FormatDate, ShowsTheFieldsThatMadeTheDate) {
  const std::vector<LocalTime> times = {
      {1970, 1, 1, 0, 0, 1},  {1999, 12, 31, 23, 59, 59}, {2000, 2, 29, 12, 30, 0},
      {2024, 2, 29, 7, 5, 3}, {2001, 10, 9, 8, 7, 6},
  };
  for (const LocalTime& t : times) {
    char expected[32];
    std::snprintf(expected, sizeof expected, "%02d:%02d:%02d %02d.%02d.%04d", t.hour, t.minute,
                  t.second, t.day, t.month, t.year);
    const auto date =
        static_cast<int32_t>(dateFromFields(t.year, t.month, t.day, t.hour, t.minute, t.second));
    EXPECT_EQ(formatDate(kDateMask, date), expected);
  }
}

class RefreshEntryTest : public FileFactsTest {
 protected:
  CatalogEntry& entryAt(const std::string& location) {
    CatalogEntry& entry = addEntry(catalog);
    entry.location = location;
    entry.lineCount = 99;
    entry.modified = 99;
    return entry;
  }
  Catalog catalog;
};

TEST_F(RefreshEntryTest, StoresTheNewFactsOfAnExistingFile) {
  entryAt(fileWith("a\nb\n", "andere.txt"));
  const std::string path = fileWith("a\nb\nc\n");
  ASSERT_TRUE(setLocalWriteTime(path, kMarch2009));
  entryAt(path);

  EXPECT_EQ(refreshEntry(*system, catalog, 1), "");

  const CatalogEntry& other = catalog.entries.elements()[0];
  const CatalogEntry& refreshed = catalog.entries.elements()[1];
  EXPECT_EQ(refreshed.lineCount, 3);
  EXPECT_EQ(refreshed.modified, kMarch2009Date);
  EXPECT_EQ(other.lineCount, 99);
  EXPECT_EQ(other.modified, 99);
}

TEST_F(RefreshEntryTest, ReportsAMissingFileAndKeepsTheEntry) {
  entryAt(".\\Quellen\\alt.pb");

  EXPECT_EQ(refreshEntry(*system, catalog, 0),
            "Die Datei .\\Quellen\\alt.pb scheint nicht mehr aktuell zu existieren\n"
            "Sie wird NICHT automatisch aus der Liste entfernt");
  EXPECT_EQ(kRefreshMessageTitle, std::string("Fehler"));

  ASSERT_EQ(catalog.entries.countElements(), 1);
  EXPECT_EQ(catalog.entries.elements()[0].lineCount, 0);
  EXPECT_EQ(catalog.entries.elements()[0].modified, 0);
}

TEST_F(RefreshEntryTest, AnUnknownIndexChangesNothing) {
  entryAt(fileWith("a\n"));
  EXPECT_EQ(refreshEntry(*system, catalog, 5), "");
  EXPECT_EQ(catalog.entries.elements()[0].lineCount, 99);
}

#ifdef _WIN32
TEST_F(RefreshEntryTest, AFileHeldOpenForWritingHasNoLinesButItsDate) {
  const std::string path = fileWith("a\r\nb\r\n");
  ASSERT_TRUE(setLocalWriteTime(path, kMarch2009));
  HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  entryAt(path);

  EXPECT_EQ(countLines(*system, path), 0);
  const EntryFacts facts = factsForNewEntry(*system, path);
  EXPECT_EQ(facts.lineCount, 0);
  EXPECT_EQ(facts.modified, kMarch2009Date);
  EXPECT_EQ(refreshEntry(*system, catalog, 0),
            "Die Datei " + path +
                " scheint nicht mehr aktuell zu existieren\n"
                "Sie wird NICHT automatisch aus der Liste entfernt");
  EXPECT_EQ(catalog.entries.elements()[0].lineCount, 0);
  EXPECT_EQ(catalog.entries.elements()[0].modified, kMarch2009Date);

  CloseHandle(writer);
  EXPECT_EQ(countLines(*system, path), 2);
}
#endif

}  // namespace
}  // namespace qk
