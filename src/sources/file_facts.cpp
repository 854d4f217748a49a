#include "sources/file_facts.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <utility>

namespace qk {

const char kDateMask[] = "%hh:%ii:%ss %dd.%mm.%yyyy";
const char kRefreshMessageTitle[] = "Fehler";

namespace {

constexpr size_t kReadBufferSize = 4096;
constexpr size_t kCacheLine = 64;
constexpr unsigned char kCr = 13;
constexpr unsigned char kLf = 10;
constexpr unsigned char kNul = 0;
constexpr int64_t kSecondsPerDay = 86400;
// Bytes counted into an 8-bit block counter before it is added to the total:
// below 256, and a multiple of the vector width so that no block ends in a
// scalar tail.
constexpr size_t kBlockSize = 240;

bool isTerminator(unsigned char c) { return c == kCr || c == kLf || c == kNul; }

// Counts the bytes that end a line: every CR and NUL, and every LF that does
// not follow a CR (that LF belongs to the CR's line). bytes[-1] must be the
// byte before the first one. Written without branches per byte so that the
// compiler turns it into vector code.
uint64_t countLineEnds(const unsigned char* bytes, size_t size) {
  uint64_t total = 0;
  const unsigned char* const previous = bytes - 1;
  for (size_t start = 0; start < size; start += kBlockSize) {
    const size_t end = std::min(size, start + kBlockSize);
    unsigned char block = 0;
    for (size_t i = start; i < end; ++i) {
      const unsigned char c = bytes[i];
      const unsigned char before = previous[i];
      block +=
          static_cast<unsigned char>((c == kCr) | (c == kNul) | ((c == kLf) & (before != kCr)));
    }
    total += block;
  }
  return total;
}

// One sequential pass through the file: line ends, plus one for a last line
// without a terminator.
int32_t countLinesOf(ReadableFile& file) {
  // The byte just before the read area carries the last byte of the previous
  // read, so that a CR LF split between two reads is seen as one pair. The
  // read area itself starts on a cache line.
  alignas(kCacheLine) unsigned char buffer[kCacheLine + kReadBufferSize];
  unsigned char* const readArea = buffer + kCacheLine;
  // It starts as a terminator, so an empty file has no unterminated last line.
  unsigned char& carried = readArea[-1];
  carried = kNul;
  uint64_t lines = 0;
  for (;;) {
    const long got = file.read(reinterpret_cast<char*>(readArea), kReadBufferSize);
    if (got <= 0) break;
    const size_t size = static_cast<size_t>(got);
    lines += countLineEnds(readArea, size);
    carried = readArea[size - 1];
  }
  if (!isTerminator(carried)) ++lines;
  return static_cast<int32_t>(lines);
}

struct DateFields {
  int64_t year;
  int month;
  int day;
  int hour;
  int minute;
  int second;
};

int64_t floorDivide(int64_t value, int64_t divisor) {
  return value / divisor - (value % divisor < 0 ? 1 : 0);
}

// Days from 1970-01-01 to a day of the proleptic Gregorian calendar, counted
// in eras of 400 years (146097 days) that begin on 1 March.
int64_t daysFromCivil(int64_t year, int month, int day) {
  const int64_t shiftedYear = month <= 2 ? year - 1 : year;
  const int64_t era = floorDivide(shiftedYear, 400);
  const int64_t yearOfEra = shiftedYear - era * 400;
  const int64_t monthFromMarch = month > 2 ? month - 3 : month + 9;
  const int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

DateFields fieldsFromDate(int64_t date) {
  const int64_t days = floorDivide(date, kSecondsPerDay);
  const int64_t secondOfDay = date - days * kSecondsPerDay;
  const int64_t shiftedDays = days + 719468;
  const int64_t era = floorDivide(shiftedDays, 146097);
  const int64_t dayOfEra = shiftedDays - era * 146097;
  const int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
  DateFields fields{};
  fields.day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
  fields.month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
  fields.year = yearOfEra + era * 400 + (fields.month <= 2 ? 1 : 0);
  fields.hour = static_cast<int>(secondOfDay / 3600);
  fields.minute = static_cast<int>(secondOfDay / 60 % 60);
  fields.second = static_cast<int>(secondOfDay % 60);
  return fields;
}

std::string twoDigits(int64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "%02lld", static_cast<long long>(value));
  return text;
}

// True when the mask continues at `position` with the token, compared without
// regard to the case of A-Z.
bool tokenAt(const std::string& mask, size_t position, const std::string& token) {
  if (mask.size() - position < token.size()) return false;
  for (size_t i = 0; i < token.size(); ++i) {
    char c = mask[position + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != token[i]) return false;
  }
  return true;
}

// The text of the first token that follows the "%" at `position`, with the
// token's length; a length of 0 when none follows.
std::pair<std::string, size_t> expandToken(const std::string& mask, size_t position,
                                           const DateFields& fields) {
  const std::pair<std::string, std::string> tokens[] = {
      {"yyyy", std::to_string(fields.year)}, {"yy", twoDigits(fields.year % 100)},
      {"mm", twoDigits(fields.month)},       {"dd", twoDigits(fields.day)},
      {"hh", twoDigits(fields.hour)},        {"ii", twoDigits(fields.minute)},
      {"ss", twoDigits(fields.second)},
  };
  for (const auto& [token, text] : tokens) {
    if (tokenAt(mask, position, token)) return {text, token.size()};
  }
  return {std::string(), 0};
}

}  // namespace

int32_t countLines(System& system, const std::string& location) {
  std::unique_ptr<ReadableFile> file = system.openForReading(location);
  return file ? countLinesOf(*file) : 0;
}

int32_t fileModifiedDate(System& system, const std::string& location) {
  LocalTime time;
  if (!system.lastWriteTime(location, time)) return 0;
  const int64_t date =
      dateFromFields(time.year, time.month, time.day, time.hour, time.minute, time.second);
  if (date < 0 || date > std::numeric_limits<int32_t>::max()) return 0;
  return static_cast<int32_t>(date);
}

int64_t dateFromFields(int year, int month, int day, int hour, int minute, int second) {
  return daysFromCivil(year, month, day) * kSecondsPerDay + int64_t{hour} * 3600 +
         int64_t{minute} * 60 + second;
}

std::string formatDate(const std::string& mask, int32_t date) {
  const DateFields fields = fieldsFromDate(date);
  std::string text;
  for (size_t i = 0; i < mask.size(); ++i) {
    if (mask[i] != '%') {
      text += mask[i];
      continue;
    }
    const auto [expansion, tokenLength] = expandToken(mask, i + 1, fields);
    if (tokenLength == 0) {
      text += '%';
      continue;
    }
    text += expansion;
    i += tokenLength;
  }
  return text;
}

EntryFacts factsForNewEntry(System& system, const std::string& location) {
  EntryFacts facts;
  facts.lineCount = countLines(system, location);
  facts.modified = fileModifiedDate(system, location);
  return facts;
}

std::string refreshEntry(System& system, Catalog& catalog, int32_t entryIndex) {
  std::string message;
  catalog.entries.resetCursor();
  while (CatalogEntry* entry = catalog.entries.nextElement()) {
    if (entry->entryIndex != entryIndex) continue;
    std::unique_ptr<ReadableFile> file = system.openForReading(entry->location);
    if (file) {
      entry->lineCount = countLinesOf(*file);
    } else {
      message = "Die Datei " + entry->location +
                " scheint nicht mehr aktuell zu existieren\n"
                "Sie wird NICHT automatisch aus der Liste entfernt";
      entry->lineCount = 0;
    }
    file.reset();
    entry->modified = fileModifiedDate(system, entry->location);
  }
  return message;
}

}  // namespace qk
