// qk refresh: recounts the lines and rereads the date of every entry, as
// "Aktualisieren" does for one.
#include <ostream>

#include "cli/cli_support.h"
#include "sources/catalog_paths.h"
#include "sources/file_facts.h"

namespace qk {

namespace {

int runRefresh(const CommandArgs& args, CliEnvironment& environment) {
  const std::string path = catalogOptionOf(args);
  Catalog catalog;
  const ChangeLoad load =
      loadCatalogForChange(environment, "refresh", path, false, args.has("--force"), catalog);
  if (load == ChangeLoad::Refused) return kExitFailed;
  const std::string base = baseDirectoryOf(args, environment.system);
  int changed = 0;
  int missing = 0;
  std::string text;
  for (CatalogEntry& entry : catalog.entries.elements()) {
    const std::string file = resolveLocation(base, entry.location);
    if (!environment.system.openForReading(file)) {
      text += "Die Datei " + entry.location +
              " scheint nicht mehr aktuell zu existieren; sie bleibt im Katalog.\n";
      ++missing;
    }
    const EntryFacts facts = factsForNewEntry(environment.system, file);
    if (facts.lineCount == entry.lineCount && facts.modified == entry.modified) continue;
    entry.lineCount = facts.lineCount;
    entry.modified = facts.modified;
    ++changed;
  }
  // A forced refresh writes what was read even when no entry changed.
  const bool write = changed > 0 || load == ChangeLoad::Forced;
  if (write && !saveCatalog(environment, "refresh", catalog, path)) return kExitFailed;
  text += "Ge\xE4ndert: " + std::to_string(changed) + " von " +
          std::to_string(catalog.entries.countElements()) + " Eintr\xE4gen.\n";
  say(environment.out, text);
  return missing == 0 ? kExitOk : kExitFailed;
}

}  // namespace

const CommandInfo& refreshCommand() {
  static const CommandInfo info{
      "refresh",
      {{"-c", "--base"}, {"--force"}, 0, 0, ""},
      "Aufruf: qk refresh [-c KATALOG] [--base ORDNER] [--force]\n"
      "\n"
      "Z\xE4hlt die Zeilen aller Eintr\xE4ge neu und liest ihr Datum neu, wie\n"
      "\"Aktualisieren\" im Dialog \"Quellcode Daten bearbeiten\" f\xFCr einen. Dateien,\n"
      "die sich nicht \366ffnen lassen, werden genannt und bleiben im Katalog (mit 0\n"
      "Zeilen).\n"
      "\n"
      "  -c KATALOG      Katalogdatei (ohne Angabe autosave.ksf)\n"
      "  --base ORDNER   Basisordner der Orte (ohne Angabe der aktuelle Ordner)\n"
      "  --force         auch einen nicht sauber gelesenen Katalog schreiben (die alte\n"
      "                  Datei bleibt als KATALOG.bak)\n"
      "\n"
      "Ende mit 0, mit 1 wenn eine Datei fehlt oder nichts geschrieben werden konnte.\n",
      runRefresh};
  return info;
}

}  // namespace qk
