#include "cli/cli_support.h"

#include <ostream>

#include "cli/cli_paths.h"
#include "cli/host_text.h"
#include "sources/catalog_paths.h"

namespace qk {

void say(std::ostream& stream, const std::string& text) { stream << ansiForTerminal(text); }

void complain(CliEnvironment& environment, const char* command, const std::string& text) {
  say(environment.err, std::string("qk ") + command + ": " + text + "\n");
}

std::string catalogOptionOf(const CommandArgs& args) { return args.value("-c", kAutosaveFileName); }

std::string catalogArgumentOf(const CommandArgs& args) {
  if (args.hasValue("-c") || args.arguments.empty()) return catalogOptionOf(args);
  return args.arguments.front();
}

std::string baseDirectoryOf(const CommandArgs& args, System& system) {
  if (!args.hasValue("--base")) return readBaseDirectory(system);
  return fullFolderOf(system.currentDirectory(), args.value("--base", ""));
}

std::vector<std::string> readProblems(const CatalogReadReport& report) {
  std::vector<std::string> problems;
  if (report.message == CatalogReadMessage::BadMagic) {
    problems.push_back("Falsche Kennung: die Datei beginnt nicht mit der Zahl 1990.");
  } else if (report.result != 1) {
    problems.push_back("Die Datei kann nicht ge\366ffnet werden.");
  }
  if (report.message == CatalogReadMessage::BadCheckValue) {
    problems.push_back("Falscher Pr\374fwert im Datensatz bei Byte " +
                       std::to_string(report.badRecordOffset) + ": dort wurde das Lesen beendet.");
  }
  if (report.endedInsideRecord) {
    problems.push_back("Die Datei endet mitten in einem Datensatz.");
  }
  if (report.textsCut > 0) {
    problems.push_back(std::to_string(report.textsCut) +
                       " zu lange Texte wurden nur zum Teil gelesen.");
  }
  if (report.unknownRecords > 0) {
    problems.push_back(std::to_string(report.unknownRecords) +
                       " Datens\xE4tze unbekannten Typs wurden \374bersprungen.");
  }
  return problems;
}

namespace {

std::string joined(const std::vector<std::string>& sentences) {
  std::string text;
  for (const std::string& sentence : sentences) text += (text.empty() ? "" : " ") + sentence;
  return text;
}

}  // namespace

ChangeLoad loadCatalogForChange(CliEnvironment& environment, const char* command,
                                const std::string& path, bool missingIsEmpty, bool force,
                                Catalog& catalog) {
  if (!environment.system.fileExists(path)) {
    if (missingIsEmpty) return ChangeLoad::Clean;
    complain(environment, command, "Katalog " + path + " nicht gefunden.");
    return ChangeLoad::Refused;
  }
  const CatalogReadReport report = readCatalogFile(environment.system, catalog, path);
  sortEntriesByName(catalog);
  if (report.clean()) return ChangeLoad::Clean;
  const std::string problems =
      "Katalog " + path + " wurde nicht sauber gelesen. " + joined(readProblems(report));
  if (force) {
    complain(environment, command,
             problems + " Wegen --force wird trotzdem geschrieben; die alte Datei bleibt als " +
                 path + ".bak.");
    return ChangeLoad::Forced;
  }
  complain(environment, command,
           problems +
               " Nichts ge\xE4ndert; mit --force wird trotzdem geschrieben (die alte "
               "Datei bleibt als " +
               path + ".bak).");
  return ChangeLoad::Refused;
}

CatalogReadReport loadCatalogToShow(CliEnvironment& environment, const char* command,
                                    const std::string& path, Catalog& catalog) {
  const CatalogReadReport report = readCatalogFile(environment.system, catalog, path);
  sortEntriesByName(catalog);
  if (report.clean()) return report;
  if (report.result != 1) {
    complain(environment, command,
             "Katalog " + path + " kann nicht gelesen werden. " + joined(readProblems(report)));
  } else {
    complain(environment, command,
             "Katalog " + path + " wurde nicht sauber gelesen, " +
                 "gezeigt wird, was gelesen wurde. " + joined(readProblems(report)));
  }
  return report;
}

bool saveCatalog(CliEnvironment& environment, const char* command, Catalog& catalog,
                 const std::string& path) {
  sortEntriesByName(catalog);
  if (writeCatalogFile(environment.system, catalog, path, true) == SaveResult::Saved) return true;
  complain(environment, command, catalogSaveFailedText(path));
  return false;
}

}  // namespace qk
