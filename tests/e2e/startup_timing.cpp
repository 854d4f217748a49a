// Figures, not a test: how long the real program under Wine takes from its
// start to a window that answers, with 10,000 and 100,000 entries, and how
// long one rebuild of the views takes after deleting an entry from 100,000.
// Run it under Wine with an X display: wine build/windows/tests/e2e/e2e_startup_timing.exe
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "catalog/catalog_file.h"
#include "e2e/driver.h"
#include "e2e/journey.h"
#include "support/test_files.h"

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// 100 groups; folders three levels deep below the working directory.
qk::Catalog generatedCatalog(int entries) {
  qk::Catalog catalog;
  for (int g = 0; g < 100; ++g) qk::addGroup(catalog, "Gruppe " + std::to_string(g));
  for (int i = 0; i < entries; ++i) {
    qk::CatalogEntry& entry = qk::addEntry(catalog);
    entry.name = "Modul " + std::to_string((i * 7919) % entries);
    entry.location = ".\\teil" + std::to_string(i % 10) + "\\stufe" + std::to_string(i % 37) +
                     "\\ebene" + std::to_string(i % 101) + "\\modul" + std::to_string(i) + ".c";
    entry.typeCode = 5;
    entry.author = "Anna";
    entry.groupId = i % 101 - 1;
  }
  qk::sortEntriesByName(catalog);
  return catalog;
}

void writeCatalog(const qk::Catalog& catalog, const std::string& path) {
  auto system = qk::makeSystem();
  qk::writeCatalogFile(*system, catalog, path, false);
}

void writeSettings(int stdtab) {
  qk::test::writeBytes(qk::e2e::settingsFilePath(), qk::e2e::settingsText(stdtab, "Anna"));
}

// Blocks until the program's loop has handled everything before it.
bool waitForAnswer(HWND window) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 120000, &ignored) != 0;
}

double startToReady(const std::string& workDir) {
  qk::e2e::Program program;
  const Clock::time_point start = Clock::now();
  if (!program.start(workDir) || !program.waitForMainWindow() || !waitForAnswer(program.window()))
    return -1;
  const double elapsed = millisecondsSince(start);
  DWORD exitCode = 0;
  TerminateProcess(OpenProcess(PROCESS_TERMINATE, FALSE, program.processId()), 0);
  program.waitForExit(exitCode);
  return elapsed;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double rebuildAfterDelete(const std::string& workDir) {
  writeSettings(0);
  qk::e2e::Program program;
  if (!program.start(workDir) || !program.waitForMainWindow() || !waitForAnswer(program.window()))
    return -1;
  HWND list = program.control(2);
  qk::e2e::click(list, qk::e2e::centerOf(qk::e2e::listRowRect(list, 0)));
  HWND details = program.control(3);
  if (!qk::e2e::waitUntil("details", [&] { return !qk::e2e::windowText(details).empty(); }))
    return -1;
  const Clock::time_point start = Clock::now();
  PostMessageA(program.control(7), BM_CLICK, 0, 0);
  waitForAnswer(program.window());
  waitForAnswer(program.window());
  const double elapsed = millisecondsSince(start);
  TerminateProcess(OpenProcess(PROCESS_TERMINATE, FALSE, program.processId()), 0);
  DWORD exitCode = 0;
  program.waitForExit(exitCode);
  return elapsed;
}

}  // namespace

int main() {
  for (int entries : {10000, 100000}) {
    qk::test::ScratchDir dir;
    writeCatalog(generatedCatalog(entries), dir.file("autosave.ksf"));
    writeSettings(1);
    std::vector<double> runs;
    for (int run = 0; run < 3; ++run) runs.push_back(startToReady(dir.path()));
    std::printf("start to a ready window, %d entries: median %.0f ms (runs %.0f, %.0f, %.0f)\n",
                entries, median(runs), runs[0], runs[1], runs[2]);
    if (entries == 100000) {
      std::printf("rebuild after deleting one of %d entries: %.0f ms\n", entries,
                  rebuildAfterDelete(dir.path()));
    }
  }
  DeleteFileA(qk::e2e::settingsFilePath().c_str());
  return 0;
}
