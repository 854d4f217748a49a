#include "catalog/catalog_file.h"

#include <cstring>
#include <memory>

namespace qk {

const char kAutosaveFileName[] = "autosave.ksf";
const char kCatalogMessageTitle[] = "Fehler";

namespace {

constexpr int32_t kEntryRecord = 1;
constexpr int32_t kGroupRecord = 2;
constexpr int32_t kEntryCheckBase = 20;
constexpr int32_t kGroupCheckBase = 4;
constexpr size_t kWriteChunk = 1 << 20;

// ---- Writing -------------------------------------------------------------

void putNumber(std::string& out, int32_t value) {
  const uint32_t bits = static_cast<uint32_t>(value);
  const char bytes[4] = {static_cast<char>(bits & 0xFF), static_cast<char>((bits >> 8) & 0xFF),
                         static_cast<char>((bits >> 16) & 0xFF),
                         static_cast<char>((bits >> 24) & 0xFF)};
  out.append(bytes, 4);
}

void putText(std::string& out, const std::string& text) {
  putNumber(out, static_cast<int32_t>(text.size()));
  out.append(text);
}

int32_t entryCheckValue(size_t nameLength, size_t locationLength, size_t descriptionLength,
                        size_t authorLength) {
  return static_cast<int32_t>(nameLength + locationLength + descriptionLength + authorLength) +
         kEntryCheckBase;
}

size_t encodedSize(const Catalog& catalog) {
  size_t size = 4;
  for (const CatalogEntry& entry : catalog.entries.elements()) {
    size += 44 + entry.name.size() + entry.location.size() + entry.description.size() +
            entry.author.size();
  }
  for (const CatalogGroup& group : catalog.groups.elements()) size += 16 + group.name.size();
  return size;
}

void putEntry(std::string& out, const CatalogEntry& entry) {
  putNumber(out, entryCheckValue(entry.name.size(), entry.location.size(), entry.description.size(),
                                 entry.author.size()));
  putNumber(out, kEntryRecord);
  putNumber(out, entry.typeCode);
  putNumber(out, entry.modified);
  putNumber(out, entry.lineCount);
  putNumber(out, entry.groupId);
  putNumber(out, entry.entryIndex);
  putText(out, entry.name);
  putText(out, entry.location);
  putText(out, entry.description);
  putText(out, entry.author);
}

void putGroup(std::string& out, const CatalogGroup& group) {
  putNumber(out, static_cast<int32_t>(group.name.size()) + kGroupCheckBase);
  putNumber(out, kGroupRecord);
  putNumber(out, group.groupId);
  putText(out, group.name);
}

// ---- Reading -------------------------------------------------------------

// Reads the file's bytes front to back. Bytes past the end read as 0 and
// mark the read as short, so a cut file yields numbers with their missing
// high bytes 0 and texts that stop at the end.
class ByteReader {
 public:
  explicit ByteReader(const std::string& bytes) : bytes_(bytes) {}

  bool atEnd() const { return position_ >= bytes_.size(); }
  size_t position() const { return position_; }
  bool ranShort() const { return ranShort_; }
  int textsCut() const { return textsCut_; }

  int32_t number() {
    uint32_t bits = 0;
    for (int shift = 0; shift < 32; shift += 8) {
      if (atEnd()) {
        ranShort_ = true;
        break;
      }
      bits |= static_cast<uint32_t>(static_cast<unsigned char>(bytes_[position_++])) << shift;
    }
    return static_cast<int32_t>(bits);
  }

  // A length and that many bytes: a negative length counts as 0, at most
  // kMaxStoredTextRead bytes are taken and the rest of a longer text is
  // skipped, and bytes 0 add nothing to the text.
  std::string countedText() {
    const int32_t stored = number();
    const size_t length = stored < 0 ? 0 : static_cast<size_t>(stored);
    const size_t available = bytes_.size() - position_;
    if (length > available) ranShort_ = true;
    const size_t present = length < available ? length : available;
    const size_t taken = present < kMaxStoredTextRead ? present : kMaxStoredTextRead;
    if (taken < present) ++textsCut_;
    std::string text = withoutNulBytes(bytes_.data() + position_, taken);
    position_ += present;
    return text;
  }

 private:
  static std::string withoutNulBytes(const char* data, size_t size) {
    std::string text;
    text.reserve(size);
    const char* end = data + size;
    while (data < end) {
      const void* nul = std::memchr(data, 0, static_cast<size_t>(end - data));
      const char* stop = nul ? static_cast<const char*>(nul) : end;
      text.append(data, stop);
      data = nul ? stop + 1 : end;
    }
    return text;
  }

  const std::string& bytes_;
  size_t position_ = 0;
  bool ranShort_ = false;
  int textsCut_ = 0;
};

// Reads the fields after an entry record's header into a new entry after the
// cursor. Returns false, with the entry removed again, when the check value
// does not match the lengths of the texts as read.
bool readEntryRecord(ByteReader& reader, int32_t checkValue, Catalog& catalog) {
  CatalogEntry& entry = catalog.entries.insertAfterCursor();
  entry.typeCode = reader.number();
  entry.modified = reader.number();
  entry.lineCount = reader.number();
  entry.groupId = reader.number();
  entry.entryIndex = reader.number();
  entry.name = reader.countedText();
  entry.location = reader.countedText();
  entry.description = reader.countedText();
  entry.author = reader.countedText();
  if (entryCheckValue(entry.name.size(), entry.location.size(), entry.description.size(),
                      entry.author.size()) != checkValue) {
    catalog.entries.removeAtCursor();
    return false;
  }
  ++catalog.nextEntryIndex;
  return true;
}

void readGroupRecord(ByteReader& reader, Catalog& catalog) {
  CatalogGroup& group = catalog.groups.insertAfterCursor();
  group.groupId = reader.number();
  group.name = reader.countedText();
}

void readRecords(ByteReader& reader, Catalog& catalog, CatalogReadReport& report) {
  while (!reader.atEnd()) {
    const size_t recordStart = reader.position();
    const int32_t checkValue = reader.number();
    const int32_t recordType = reader.number();
    if (recordType == kEntryRecord) {
      if (!readEntryRecord(reader, checkValue, catalog)) {
        report.message = CatalogReadMessage::BadCheckValue;
        report.badRecordOffset = static_cast<int64_t>(recordStart);
        return;
      }
      ++report.entriesRead;
    } else if (recordType == kGroupRecord) {
      readGroupRecord(reader, catalog);
      ++report.groupsRead;
    } else {
      ++report.unknownRecords;
    }
  }
}

// Reads the target's bytes for the backup; unlike readWholeFile a read error
// fails, so a backup is never a cut copy.
bool readExactCopy(System& system, const std::string& path, std::string& out) {
  out.clear();
  std::unique_ptr<ReadableFile> file = system.openForReading(path);
  if (!file) return false;
  char buffer[65536];
  for (;;) {
    const long got = file->read(buffer, sizeof buffer);
    if (got < 0) return false;
    if (got == 0) return true;
    out.append(buffer, static_cast<size_t>(got));
  }
}

bool writeInPieces(WritableFile& file, const std::string& bytes) {
  for (size_t done = 0; done < bytes.size(); done += kWriteChunk) {
    const size_t size = bytes.size() - done < kWriteChunk ? bytes.size() - done : kWriteChunk;
    if (!file.write(bytes.data() + done, size)) return false;
  }
  return true;
}

// Encodes the catalog straight into the file, a piece of about kWriteChunk
// bytes at a time, so a save needs no second copy of the whole file.
bool writeEncoded(WritableFile& file, const Catalog& catalog) {
  std::string piece;
  piece.reserve(2 * kWriteChunk);
  auto passOn = [&] {
    const bool written = file.write(piece.data(), piece.size());
    piece.clear();
    return written;
  };
  putNumber(piece, kCatalogMagic);
  for (const CatalogEntry& entry : catalog.entries.elements()) {
    putEntry(piece, entry);
    if (piece.size() >= kWriteChunk && !passOn()) return false;
  }
  for (const CatalogGroup& group : catalog.groups.elements()) {
    putGroup(piece, group);
    if (piece.size() >= kWriteChunk && !passOn()) return false;
  }
  return piece.empty() || passOn();
}

// Creates `path` + ".tmp", lets `writeContent` fill it, flushes and closes it
// and moves it over `path`. Any failure removes the temporary file and leaves
// `path` as it was.
template <typename WriteContent>
bool replaceAtomically(System& system, const std::string& path, WriteContent writeContent) {
  const std::string temporary = path + ".tmp";
  std::unique_ptr<WritableFile> file = system.createFile(temporary);
  const bool written = file && writeContent(*file) && file->flush() && file->close();
  file.reset();  // closes a file left open by a failed step, so it can be removed
  if (written && system.replaceFile(temporary, path)) return true;
  if (system.fileExists(temporary)) system.removeFile(temporary);
  return false;
}

}  // namespace

const char* catalogReadMessageText(CatalogReadMessage message) {
  switch (message) {
    case CatalogReadMessage::BadMagic:
      return "Die Authentifizierung dieser Datei ist leider fehlgeschlagen.\n Abbruch der "
             "Operation.";
    case CatalogReadMessage::BadCheckValue:
      return "Eine Checksumme ist nicht korrekt.\n Abbruch der Operation.";
    case CatalogReadMessage::None:
      break;
  }
  return "";
}

std::string encodeCatalog(const Catalog& catalog) {
  std::string out;
  out.reserve(encodedSize(catalog));
  putNumber(out, kCatalogMagic);
  for (const CatalogEntry& entry : catalog.entries.elements()) putEntry(out, entry);
  for (const CatalogGroup& group : catalog.groups.elements()) putGroup(out, group);
  return out;
}

CatalogReadReport parseCatalogBytes(const std::string& bytes, Catalog& catalog) {
  catalog.entries.clearAll();
  catalog.groups.clearAll();
  CatalogReadReport report;
  ByteReader reader(bytes);
  if (bytes.size() < 4 || reader.number() != kCatalogMagic) {
    report.message = CatalogReadMessage::BadMagic;
    return report;
  }
  report.result = 1;
  readRecords(reader, catalog, report);
  report.endedInsideRecord = reader.ranShort();
  report.textsCut = reader.textsCut();
  sortEntriesByIndex(catalog);
  return report;
}

CatalogReadReport readCatalogFile(System& system, Catalog& catalog, const std::string& path) {
  catalog.entries.clearAll();
  catalog.groups.clearAll();
  std::string bytes;
  if (!readWholeFile(system, path, bytes)) return CatalogReadReport{};
  return parseCatalogBytes(bytes, catalog);
}

bool writeFileAtomically(System& system, const std::string& path, const std::string& bytes) {
  return replaceAtomically(system, path,
                           [&](WritableFile& file) { return writeInPieces(file, bytes); });
}

SaveResult writeCatalogFile(System& system, const Catalog& catalog, const std::string& path,
                            bool keepBackup) {
  if (keepBackup && system.fileExists(path)) {
    std::string previous;
    if (!readExactCopy(system, path, previous) ||
        !writeFileAtomically(system, path + ".bak", previous)) {
      return SaveResult::Failed;
    }
  }
  const bool saved = replaceAtomically(
      system, path, [&](WritableFile& file) { return writeEncoded(file, catalog); });
  return saved ? SaveResult::Saved : SaveResult::Failed;
}

std::string catalogSaveFailedText(const std::string& path) {
  return "Der Katalog konnte nicht gespeichert werden:\n" + path +
         "\nDie bisherige Datei ist unver\xE4ndert.";
}

}  // namespace qk
