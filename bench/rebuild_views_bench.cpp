// rebuildViews through the in-memory GUI: the three views of catalogs of
// 1,000 to 100,000 entries in 100 groups, stored three folder levels deep:
// the first rebuild after a load (entries in a shuffled order) and a later
// one (entries in name order already). Beside them, two raw baselines: the
// name sort alone, and one pass over the names and locations.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "catalog/catalog.h"
#include "platform/memory/memory_gui.h"
#include "platform/system.h"
#include "ui/main/main_window.h"
#include "ui/main/views.h"

namespace {

// Entries in a shuffled order, as after a load (entryIndex order), with
// names of 6 to 14 random letters.
std::vector<qk::CatalogEntry> makeEntries(int count) {
  std::mt19937 random(42);
  std::uniform_int_distribution<int> length(6, 14);
  std::uniform_int_distribution<int> letter(0, 51);
  std::vector<qk::CatalogEntry> entries(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    qk::CatalogEntry& entry = entries[static_cast<size_t>(i)];
    for (int n = length(random); n > 0; --n) {
      const int l = letter(random);
      entry.name += static_cast<char>(l < 26 ? 'a' + l : 'A' + l - 26);
    }
    entry.location = ".\\modul" + std::to_string(i % 10) + "\\teil" + std::to_string(i / 10 % 10) +
                     "\\stufe" + std::to_string(i / 100 % 10) + "\\datei" + std::to_string(i) +
                     ".c";
    entry.groupId = i % 101 - 1;  // -1 for every 101st entry
    entry.entryIndex = i;
  }
  std::shuffle(entries.begin(), entries.end(), random);
  return entries;
}

struct BenchProgram {
  std::unique_ptr<qk::System> system = qk::makeSystem();
  qk::MemoryGui gui;
  qk::Program program{gui, *system};

  explicit BenchProgram(int count) {
    gui.openMainWindow("Quellkiste", qk::kMainMinWidth, qk::kMainMinHeight);
    qk::createMainControls(program);
    for (int g = 0; g < 100; ++g) qk::addGroup(program.catalog, "Gruppe " + std::to_string(g));
    program.catalog.nextEntryIndex = count;
  }
};

void BM_RebuildViews(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const std::vector<qk::CatalogEntry> entries = makeEntries(count);
  BenchProgram bench(count);
  for (auto _ : state) {
    state.PauseTiming();
    bench.program.catalog.entries.elements() = entries;
    state.ResumeTiming();
    qk::rebuildViews(bench.program);
  }
  state.counters["folderRows"] = bench.gui.rowCount(10);
  state.SetItemsProcessed(state.iterations() * count);
}

// A later rebuild (after an edit): the entries are in name order already.
void BM_RebuildViewsInNameOrder(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  BenchProgram bench(count);
  bench.program.catalog.entries.elements() = makeEntries(count);
  qk::rebuildViews(bench.program);
  for (auto _ : state) qk::rebuildViews(bench.program);
  state.SetItemsProcessed(state.iterations() * count);
}

void BM_SortByNameBaseline(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const std::vector<qk::CatalogEntry> entries = makeEntries(count);
  qk::Catalog catalog;
  for (auto _ : state) {
    state.PauseTiming();
    catalog.entries.elements() = entries;
    state.ResumeTiming();
    qk::sortEntriesByName(catalog);
  }
  state.SetItemsProcessed(state.iterations() * count);
}

// The least any rebuild does, as a raw baseline: every name copied once and
// every location read once, in name order.
void BM_TouchEntriesBaseline(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  qk::Catalog catalog;
  catalog.entries.elements() = makeEntries(count);
  qk::sortEntriesByName(catalog);
  for (auto _ : state) {
    std::vector<std::string> names;
    names.reserve(static_cast<size_t>(count));
    size_t separators = 0;
    for (const qk::CatalogEntry& entry : catalog.entries.elements()) {
      names.push_back(entry.name);
      for (char c : entry.location) separators += c == '\\';
    }
    benchmark::DoNotOptimize(separators);
    benchmark::DoNotOptimize(names.data());
  }
  state.SetItemsProcessed(state.iterations() * count);
}

BENCHMARK(BM_RebuildViews)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RebuildViewsInNameOrder)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByNameBaseline)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TouchEntriesBaseline)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
