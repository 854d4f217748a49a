// Reading and writing a catalog of 100,000 entries (about 20 MB), beside the
// raw read and the raw write (with its flush) of the same bytes, measured in
// the same run. Each reports MB/s of catalog file.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

#include "catalog/catalog_file.h"

namespace qk {
namespace {

constexpr int kEntries = 100000;

const char* const kWords[] = {"Parser",  "Puffer", "Fenster", "Liste",   "Baum",      "Datei",
                              "Eintrag", "Gruppe", "Zeichen", "Tabelle", "Schalter",  "Dialog",
                              "Netz",    "Bild",   "Farbe",   "Zeile",   "Spalte",    "Wert",
                              "Schritt", "Ordner", "Suche",   "Sortier", "Protokoll", "Laden"};
const char* const kExtensions[] = {".cpp", ".h", ".c", ".pas", ".bas", ".asm", ".java", ".py"};
const char* const kAuthors[] = {"Max Muster", "Erika M\xFCller", "Unbekannt", "WERKSTATT-PC"};

std::string word(std::mt19937& random) {
  return kWords[random() % (sizeof kWords / sizeof kWords[0])];
}

// A catalog as a busy user would have it: short names, locations a few
// folders deep, descriptions of a few lines, a handful of groups.
Catalog realisticCatalog() {
  std::mt19937 random(1990);
  Catalog catalog;
  for (int k = 0; k < kEntries; ++k) {
    CatalogEntry& entry = addEntry(catalog);
    entry.name = word(random) + word(random) + std::to_string(k);
    entry.location = ".\\projekte\\" + word(random) + "\\" + word(random) + "\\" + entry.name +
                     kExtensions[random() % 8];
    entry.typeCode = static_cast<TypeCode>(random() % 18);
    for (int line = 0; line < 2; ++line) {
      entry.description += "Routinen f\xFCr " + word(random) + " und " + word(random) + ", Stand " +
                           std::to_string(random() % 2000) + ".\r\n";
    }
    entry.modified = static_cast<int32_t>(1200000000 + random() % 100000000);
    entry.lineCount = static_cast<int32_t>(random() % 5000);
    entry.author = kAuthors[random() % 4];
    entry.groupId = static_cast<int32_t>(random() % 6) - 1;
  }
  for (int g = 0; g < 5; ++g) addGroup(catalog, "Gruppe " + word(random));
  // Saved files hold the entries in name order, so the reader sorts them.
  sortEntriesByName(catalog);
  return catalog;
}

// The catalog as the program holds it when it saves: read from its file at
// start-up and sorted by name by the view rebuild.
struct Fixture {
  std::unique_ptr<System> system = makeSystem();
  std::string bytes = encodeCatalog(realisticCatalog());
  Catalog catalog;
  std::string readPath = "catalog_file_bench_read.ksf";
  std::string writePath = "catalog_file_bench_write.ksf";

  Fixture() {
    parseCatalogBytes(bytes, catalog);
    sortEntriesByName(catalog);
    writeFileAtomically(*system, readPath, bytes);
  }
  ~Fixture() {
    system->removeFile(readPath);
    system->removeFile(writePath);
  }
};

Fixture& fixture() {
  static Fixture instance;
  return instance;
}

void reportBytes(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(fixture().bytes.size()));
  state.counters["MB"] = static_cast<double>(fixture().bytes.size()) / 1e6;
}

// Freeing the catalog read belongs to the end of the program, not to reading.
void dropUntimed(benchmark::State& state, std::unique_ptr<Catalog>& catalog) {
  state.PauseTiming();
  catalog.reset();
  state.ResumeTiming();
}

// Into fresh memory each time, as the reader does.
void BM_RawRead(benchmark::State& state) {
  Fixture& f = fixture();
  for (auto _ : state) {
    std::string bytes;
    readWholeFile(*f.system, f.readPath, bytes);
    benchmark::DoNotOptimize(bytes.data());
  }
  reportBytes(state);
}

void BM_ReadAndParse(benchmark::State& state) {
  Fixture& f = fixture();
  for (auto _ : state) {
    auto catalog = std::make_unique<Catalog>();
    CatalogReadReport report = readCatalogFile(*f.system, *catalog, f.readPath);
    if (!report.clean() || catalog->entries.countElements() != kEntries) {
      state.SkipWithError("catalog did not read back");
      break;
    }
    dropUntimed(state, catalog);
  }
  reportBytes(state);
}

// The two halves of the figures above: parsing and encoding in memory only.
void BM_ParseOnly(benchmark::State& state) {
  Fixture& f = fixture();
  for (auto _ : state) {
    auto catalog = std::make_unique<Catalog>();
    benchmark::DoNotOptimize(parseCatalogBytes(f.bytes, *catalog).result);
    dropUntimed(state, catalog);
  }
  reportBytes(state);
}

void BM_EncodeOnly(benchmark::State& state) {
  Fixture& f = fixture();
  for (auto _ : state) benchmark::DoNotOptimize(encodeCatalog(f.catalog).data());
  reportBytes(state);
}

void BM_RawWrite(benchmark::State& state) {
  Fixture& f = fixture();
  for (auto _ : state) {
    std::unique_ptr<WritableFile> file = f.system->createFile(f.writePath);
    if (!file || !file->write(f.bytes.data(), f.bytes.size()) || !file->flush() || !file->close()) {
      state.SkipWithError("raw write failed");
      break;
    }
  }
  reportBytes(state);
}

void BM_EncodeAndWrite(benchmark::State& state) {
  Fixture& f = fixture();
  for (auto _ : state) {
    if (writeCatalogFile(*f.system, f.catalog, f.writePath, false) != SaveResult::Saved) {
      state.SkipWithError("catalog save failed");
      break;
    }
  }
  reportBytes(state);
}

BENCHMARK(BM_RawRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadAndParse)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ParseOnly)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RawWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EncodeAndWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EncodeOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace qk

BENCHMARK_MAIN();
