// Writes the generated seed files of the catalog reader's corpus into a
// folder: a 1,000-entry catalog, the same cut inside a record, and the same
// with a damaged check value.
#include <cstdio>
#include <string>

#include "catalog/catalog.h"
#include "catalog/catalog_file.h"

namespace {

void writeFile(const std::string& path, const std::string& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return;
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

std::string thousandEntries() {
  qk::Catalog catalog;
  for (int g = 0; g < 10; ++g) qk::addGroup(catalog, "Gruppe " + std::to_string(g));
  for (int i = 0; i < 1000; ++i) {
    qk::CatalogEntry& entry = qk::addEntry(catalog);
    entry.name = "Modul " + std::to_string(i);
    entry.location = ".\\src\\teil" + std::to_string(i % 7) + "\\modul" + std::to_string(i) + ".c";
    entry.typeCode = 5;
    entry.description = i % 3 ? "" : "Zeile eins\r\nZeile zwei";
    entry.modified = 1236262029 + i;
    entry.lineCount = i * 3;
    entry.author = "Unbekannt";
    entry.groupId = i % 11 - 1;
  }
  return qk::encodeCatalog(catalog);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_seed_maker FOLDER\n");
    return 2;
  }
  std::string folder = argv[1];
  std::string full = thousandEntries();
  writeFile(folder + "/thousand.ksf", full);
  writeFile(folder + "/thousand-cut.ksf", full.substr(0, full.size() / 2 + 3));
  std::string damaged = full;
  damaged[4 + 41] ^= 0x01;  // inside the first record's name length region
  writeFile(folder + "/thousand-damaged.ksf", damaged);
  return 0;
}
