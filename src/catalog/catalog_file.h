#pragma once
// The catalog file: magic number 1990, then entry records (type 1) and group
// records (type 2), all numbers 32-bit little-endian, texts as a length and
// their bytes.
#include <cstdint>
#include <string>

#include "catalog/catalog.h"
#include "platform/system.h"

namespace qk {

constexpr int32_t kCatalogMagic = 1990;
constexpr int32_t kMaxStoredTextRead = 65537;  // the reader takes no more of one text
extern const char kAutosaveFileName[];          // "autosave.ksf"

// What the caller must show after a read (title "Fehler").
enum class CatalogReadMessage { None, BadMagic, BadCheckValue };
const char* catalogReadMessageText(CatalogReadMessage message);
extern const char kCatalogMessageTitle[];  // "Fehler"

struct CatalogReadReport {
  int result = -1;  // 1: opened and began with the magic number; -1 otherwise
  CatalogReadMessage message = CatalogReadMessage::None;
  // Details for diagnostics (the companion tool reports them):
  int entriesRead = 0;        // entry records kept
  int groupsRead = 0;         // group records read
  int unknownRecords = 0;     // records of other types skipped
  int64_t badRecordOffset = -1;  // byte offset of the record whose check value failed
  bool endedInsideRecord = false;  // the file ended inside a record
  int textsCut = 0;  // texts longer than the reader takes, kept only in part
  // True when the whole file was read and kept: a catalog that was not must
  // not be overwritten without keeping the file as it was.
  bool clean() const {
    return result == 1 && message == CatalogReadMessage::None && !endedInsideRecord &&
           textsCut == 0 && unknownRecords == 0;
  }
};

// Replaces the catalog's entries and groups by the file's content (cleared
// first, whatever follows). Sorts the entries by entryIndex; nextEntryIndex
// grows by one per kept entry. Memory is bounded by the file size.
CatalogReadReport readCatalogFile(System& system, Catalog& catalog, const std::string& path);
// The same from bytes already in memory.
CatalogReadReport parseCatalogBytes(const std::string& bytes, Catalog& catalog);

// The file's bytes for the catalog's entries (in list order) and groups.
std::string encodeCatalog(const Catalog& catalog);

enum class SaveResult { Saved, Failed };

// Writes the catalog to `path` safely: the whole file goes to a temporary file
// beside it, is flushed and then replaces the target in one step. On any
// failure the previous file stays as it was and the temporary file is
// removed. With `keepBackup`, an existing target is first kept as
// `<path>.bak` (replacing an older backup); if that fails nothing is saved.
SaveResult writeCatalogFile(System& system, const Catalog& catalog, const std::string& path,
                            bool keepBackup);

// The save-failure message for the user (title "Fehler"), naming the file.
std::string catalogSaveFailedText(const std::string& path);

// Writes `bytes` to `path` through a temporary file beside it, flushed and
// then moved over the target. Returns false (target untouched, temporary file
// removed) when any step fails.
bool writeFileAtomically(System& system, const std::string& path, const std::string& bytes);

}  // namespace qk
