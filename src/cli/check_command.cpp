// qk check: reads a catalog as the program does and says in words what went
// wrong, and which entries' files cannot be opened.
#include <ostream>

#include "cli/cli_support.h"
#include "sources/catalog_paths.h"

namespace qk {

namespace {

int runCheck(const CommandArgs& args, CliEnvironment& environment) {
  const std::string path = catalogArgumentOf(args);
  const std::string base = baseDirectoryOf(args, environment.system);
  Catalog catalog;
  const CatalogReadReport report = readCatalogFile(environment.system, catalog, path);
  sortEntriesByName(catalog);
  std::vector<std::string> problems = readProblems(report);
  for (const CatalogEntry& entry : catalog.entries.elements()) {
    if (!environment.system.openForReading(resolveLocation(base, entry.location))) {
      problems.push_back("Nicht zu \366ffnen: " + entry.location + " (Eintrag " + entry.name + ")");
    }
  }
  std::string text = "Katalog " + path + ": " + std::to_string(report.entriesRead) +
                     " Eintr\xE4ge und " + std::to_string(report.groupsRead) +
                     " Gruppen gelesen.\n";
  for (const std::string& problem : problems) text += problem + "\n";
  text += problems.empty() ? "In Ordnung.\n" : std::to_string(problems.size()) + " Befund(e).\n";
  say(environment.out, text);
  return problems.empty() ? kExitOk : kExitFailed;
}

}  // namespace

const CommandInfo& checkCommand() {
  static const CommandInfo info{
      "check",
      {{"-c", "--base"}, {}, 0, 1, "KATALOG"},
      "Aufruf: qk check [KATALOG] [--base ORDNER]\n"
      "\n"
      "Liest den Katalog wie das Programm und sagt, wie viele Datens\xE4tze gelesen\n"
      "wurden, wo und warum das Lesen endete (falsche Kennung, falscher Pr\374fwert\n"
      "eines Datensatzes, Datei endet mitten im Datensatz), welche Datens\xE4tze\n"
      "unbekannten Typs \374bersprungen wurden und welche Eintr\xE4ge auf Dateien zeigen,\n"
      "die sich nicht \366ffnen lassen. Orte werden gegen den Basisordner aufgel\xF6st\n"
      "(ohne --base der aktuelle Ordner).\n"
      "\n"
      "Ende mit 0 ohne Befund, sonst mit 1.\n",
      runCheck};
  return info;
}

}  // namespace qk
