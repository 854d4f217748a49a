#pragma once
// Hostile and large catalog and settings files, with the outcome the file
// rules give for each; shared by the native tests and the journeys under Wine.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "catalog/catalog.h"
#include "catalog/catalog_file.h"
#include "catalog/settings.h"

namespace qk::test {

inline std::string le32(int32_t value) {
  const uint32_t bits = static_cast<uint32_t>(value);
  return {static_cast<char>(bits), static_cast<char>(bits >> 8), static_cast<char>(bits >> 16),
          static_cast<char>(bits >> 24)};
}

inline std::string counted(const std::string& text) {
  return le32(static_cast<int32_t>(text.size())) + text;
}

inline const std::string kMagic = le32(1990);

// An entry record with a right check value and the author "Anna".
inline std::string entryRecord(const std::string& name, int32_t entryIndex,
                               const std::string& description = "") {
  const int32_t check = static_cast<int32_t>(name.size() + description.size() + 4) + 20;
  return le32(check) + le32(1) + le32(5) + le32(1236262029) + le32(12) + le32(-1) +
         le32(entryIndex) + counted(name) + counted("") + counted(description) + counted("Anna");
}

// A group record with a right check value.
inline std::string groupRecord(const std::string& name, int32_t groupId) {
  return le32(static_cast<int32_t>(name.size()) + 4) + le32(2) + le32(groupId) + counted(name);
}

struct HostileCatalog {
  const char* what;
  std::string bytes;
  CatalogReadMessage message;
  std::vector<std::string> entries;  // names, in entryIndex order, which is also name order
  std::vector<std::string> groups;
  // false: the file was not read and kept whole (a cut text, skipped records,
  // a damaged record, a short end), so the first save's backup of it is kept
  // for the whole run.
  bool loadedCleanly;
};

inline std::vector<HostileCatalog> hostileCatalogs() {
  const std::string megabyte(1 << 20, 'N');
  const std::string cut(kMaxStoredTextRead, 'N');
  const std::string first = entryRecord("Erste", 0);
  const std::string rest = "der Rest der Datei";
  const std::string complete = kMagic + entryRecord("Alpha", 0, std::string(200, 'a')) +
                               entryRecord("Beta", 1, std::string(200, 'b')) +
                               entryRecord("Gamma", 2, std::string(200, 'c')) +
                               groupRecord("Tools", 0);
  // A crash after the file got its size but before its last blocks were
  // written: the end is zeros from inside Gamma's description on.
  const size_t zeroedFrom = complete.size() - 16 - 5 - 8 - 100;
  std::string zeroedEnd = complete;
  zeroedEnd.replace(zeroedFrom, std::string::npos, complete.size() - zeroedFrom, '\0');
  // clang-format off
  return {
      {"1 MB name in an entry record",
       kMagic + first + entryRecord(megabyte, 1) + groupRecord("Tools", 0),
       CatalogReadMessage::BadCheckValue, {"Erste"}, {}, false},
      {"1 MB name in a group record, the next group read from the right place",
       kMagic + first + groupRecord(megabyte, 0) + groupRecord("Web", 1),
       CatalogReadMessage::None, {"Erste"}, {cut, "Web"}, false},
      {"location length 0x7FFFFFFF in an entry record",
       kMagic + first + le32(26) + le32(1) + le32(5) + le32(0) + le32(0) + le32(-1) + le32(1) +
           counted("Zweite") + le32(0x7FFFFFFF) + rest,
       CatalogReadMessage::BadCheckValue, {"Erste"}, {}, false},
      {"name length 0x7FFFFFFF in the last group record",
       kMagic + first + le32(9) + le32(2) + le32(0) + le32(0x7FFFFFFF) + rest,
       CatalogReadMessage::None, {"Erste"}, {rest}, false},
      {"length -1 counts as 0, in an entry and a group",
       kMagic + le32(20 + 5 + 4) + le32(1) + le32(0x7FFFFFFF) + le32(-1) + le32(-1) +
           le32(0x7FFFFFFF) + le32(0) + le32(-1) + counted(".\\x.c") + le32(-1) +
           counted("Anna") + le32(4) + le32(2) + le32(0) + le32(-1) + groupRecord("Web", 1),
       CatalogReadMessage::None, {""}, {"", "Web"}, true},
      {"NUL-filled tail of whole records", complete + std::string(4096, '\0'),
       CatalogReadMessage::None, {"Alpha", "Beta", "Gamma"}, {"Tools"}, false},
      {"NUL-filled tail ending inside a record", complete + std::string(4100, '\0'),
       CatalogReadMessage::None, {"Alpha", "Beta", "Gamma"}, {"Tools"}, false},
      {"NUL-filled end over the last records", zeroedEnd,
       CatalogReadMessage::BadCheckValue, {"Alpha", "Beta"}, {}, false},
  };
  // clang-format on
}

// Entries named so that name order and entryIndex order agree: the closing
// save then writes the very bytes that were read.
inline Catalog catalogOfSize(int entries) {
  Catalog catalog;
  for (int g = 0; g < 10; ++g) addGroup(catalog, "Gruppe " + std::to_string(g));
  for (int k = 0; k < entries; ++k) {
    char name[32];
    std::snprintf(name, sizeof name, "Datei %06d", k);
    CatalogEntry& entry = addEntry(catalog);
    entry.name = name;
    entry.location = ".\\teil" + std::to_string(k % 100) + "\\datei" + std::to_string(k) + ".c";
    entry.typeCode = 5;
    entry.modified = 1236262029 + k;
    entry.lineCount = k % 5000;
    entry.author = "Anna";
    entry.groupId = k % 11 - 1;
  }
  return catalog;
}

struct HostileSettings {
  const char* what;
  std::string bytes;
  std::function<void(Options&)> expect;  // changes the defaults into what must be read
};

inline std::string repeated(const std::string& piece, size_t size) {
  std::string text;
  text.reserve(size + piece.size());
  while (text.size() < size) text += piece;
  return text;
}

inline std::vector<HostileSettings> hostileSettings() {
  const size_t tenMegabytes = 10 << 20;
  const std::string longAuthor(100000, 'A');
  const std::string longPattern = repeated("|Eigene|*.x", 100000).substr(0, 100000);
  return {
      {"10 MB of comments, duplicates and lines without \"=\"",
       "opt_stdtab = 2\r\nOPT_STDAUTOR=Erster\r\n" +
           repeated("; Kommentar\r\nZeile ohne Gleichheitszeichen\r\n\t  \r\nopt_stdtab = 0\r\n"
                    "opt_stdautor = Sp\xE4ter\r\n",
                    tenMegabytes) +
           "[Abschnitt]\r\nopt_addpattern = |x|*.x\r\n",
       [](Options& o) {
         o.opt_stdtab = 2;
         o.opt_stdautor = "Erster";
       }},
      {"10 MB of lines without \"=\" after the one key line",
       "opt_treeexpand = 1\n" + repeated("eine Zeile ohne Gleichheitszeichen\r\n", tenMegabytes),
       [](Options& o) { o.opt_treeexpand = 1; }},
      {"10 MB in one line", "opt_stdgruppe = 7" + std::string(tenMegabytes, '7'),
       [](Options& o) { o.opt_stdgruppe = 0x7FFFFFFF; }},
      {"100,000-character values",
       "opt_stdautor =   " + longAuthor + " \t \r\nopt_addpattern = " + longPattern + "\r\n",
       [=](Options& o) {
         o.opt_stdautor = longAuthor;
         o.opt_addpattern = longPattern;
       }},
      {"UTF-8 mark, a malformed continuation empties the value",
       "\xEF\xBB\xBFopt_stdautor = M\xC3\xBCller\r\nopt_addpattern = |x|*.x\xC3(y\r\n"
       "opt_stdtab = 0\r\n",
       [](Options& o) {
         o.opt_stdautor = "M\xFCller";
         o.opt_addpattern = "";
         o.opt_stdtab = 0;
       }},
      {"UTF-8 mark, a character above 255 ends the value",
       "\xEF\xBB\xBFopt_stdautor = ab \xE2\x82\xAC cd\r\nopt_addpattern = x\xFFy\r\n",
       [](Options& o) {
         o.opt_stdautor = "ab";
         o.opt_addpattern = "x";
       }},
      {"UTF-8 mark, an overlong form and a sequence cut by the file's end",
       "\xEF\xBB\xBFopt_stdautor = \xC0\xAFx\r\nopt_addpattern = \xE2\x82",
       [](Options& o) {
         o.opt_stdautor = "";
         o.opt_addpattern = "";
       }},
      {"UTF-8 mark not at the start is part of the key",
       "opt_stdtab = 2\r\n\xEF\xBB\xBFopt_stdautor = M\xC3\xBCller\r\n",
       [](Options& o) { o.opt_stdtab = 2; }},
      {"byte 0 ends a value", std::string("opt_stdautor = Max\0Muster\r\n", 27),
       [](Options& o) { o.opt_stdautor = "Max"; }},
  };
}

}  // namespace qk::test
