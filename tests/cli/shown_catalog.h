#pragma once
// A small catalog for the commands that show one, written as the program
// writes it: three entries in name order, two groups.
#include <string>

#include "catalog/catalog.h"
#include "catalog/catalog_file.h"
#include "platform/system.h"

namespace qk::test {

inline constexpr int32_t kShownDate = 1236262029;  // 14:07:09 05.03.2009

inline void writeShownCatalog(System& system, const std::string& path) {
  Catalog catalog;
  struct Fields {
    const char* name;
    const char* location;
    TypeCode type;
    const char* description;
    int32_t lines;
    const char* author;
    int32_t group;
  };
  const Fields rows[] = {
      {"zeta.pb", ".\\zeta.pb", 1, "", 1200, "Max Muster", 1},
      {"Alpha\nneu.c", "..\\lib\\alpha.c", 5, "sagt \"hallo\", zweizeilig\r\nEnde", 7, "M\xFCller",
       -1},
      {"beta.xyz", "D:\\x\\beta.xyz", 0, "", 0, "Unbekannt", 0},
  };
  for (const Fields& row : rows) {
    CatalogEntry& entry = addEntry(catalog);
    entry.name = row.name;
    entry.location = row.location;
    entry.typeCode = row.type;
    entry.description = row.description;
    entry.modified = kShownDate;
    entry.lineCount = row.lines;
    entry.author = row.author;
    entry.groupId = row.group;
  }
  addGroup(catalog, "Werkzeuge");
  addGroup(catalog, "Spiele, alt");
  writeCatalogFile(system, catalog, path, false);
}

}  // namespace qk::test
