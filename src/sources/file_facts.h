#pragma once
// Line counts, modification dates and their text form.
#include <cstdint>
#include <string>

#include "catalog/catalog.h"
#include "platform/system.h"

namespace qk {

extern const char kDateMask[];  // "%hh:%ii:%ss %dd.%mm.%yyyy"

// Lines ended by CR, LF, CR LF or NUL, counted in one pass through a
// 4096-byte buffer; 0 when the file cannot be opened.
int32_t countLines(System& system, const std::string& location);

// The last-write time as a date value (local wall-clock seconds since
// 1970-01-01 as if UTC); 0 when it cannot be read or lies before 1970-01-01
// 00:00:00 or after the largest signed 32-bit value (2038-01-19 03:14:07).
int32_t fileModifiedDate(System& system, const std::string& location);

// Days from 1970-01-01 (proleptic Gregorian) * 86400 + h*3600 + m*60 + s,
// as a 64-bit value so that callers can check the range.
int64_t dateFromFields(int year, int month, int day, int hour, int minute, int second);

// Copies the mask, replacing %yyyy, %yy, %mm, %dd, %hh, %ii, %ss
// (case-insensitive) by the fields of the date value.
std::string formatDate(const std::string& mask, int32_t date);

struct EntryFacts {
  int32_t lineCount = 0;
  int32_t modified = 0;
};
// Line count and date of a location, without any message.
EntryFacts factsForNewEntry(System& system, const std::string& location);

// Recounts and rereads the facts of the entry with this index. Returns the
// text of the message to show (title "Fehler") when its file cannot be
// opened, else empty.
std::string refreshEntry(System& system, Catalog& catalog, int32_t entryIndex);
extern const char kRefreshMessageTitle[];  // "Fehler"

}  // namespace qk
