// qk add and qk import: new entries built by the add dialog's rules, for
// files named one by one or found in a folder tree.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <set>
#include <unordered_set>
#include <vector>

#include "catalog/settings.h"
#include "cli/cli_paths.h"
#include "cli/cli_support.h"
#include "cli/host_text.h"
#include "sources/catalog_paths.h"
#include "sources/file_facts.h"
#include "sources/file_types.h"

namespace fs = std::filesystem;

namespace qk {

namespace {

constexpr char kUnknownAuthor[] = "Unbekannt";

// What every new entry of one run shares.
struct NewEntryRules {
  std::string baseDirectory;
  std::string author;
  int32_t groupId = -1;
  bool again = false;
};

struct AddCounts {
  int added = 0;
  int skipped = 0;
  int64_t lines = 0;
};

int32_t groupIdNamed(Catalog& catalog, const std::string& name) {
  for (const CatalogGroup& group : catalog.groups.elements()) {
    if (group.name == name) return group.groupId;
  }
  return addGroup(catalog, name).groupId;
}

// The author and group as the add dialog takes them: the author field starts
// with opt_stdautor, and an empty field gives "Unbekannt".
NewEntryRules rulesOf(const CommandArgs& args, CliEnvironment& environment, Catalog& catalog) {
  Options options = defaultOptions(environment.system);
  loadSettings(environment.system, options, environment.settingsFile);
  NewEntryRules rules;
  rules.baseDirectory = baseDirectoryOf(args, environment.system);
  rules.author = args.value("--author", options.opt_stdautor);
  if (rules.author.empty()) rules.author = kUnknownAuthor;
  rules.groupId = args.hasValue("--group") ? groupIdNamed(catalog, args.value("--group", ""))
                                           : options.opt_stdgruppe;
  rules.again = args.has("--again");
  return rules;
}

std::unordered_set<std::string> storedLocations(const Catalog& catalog) {
  std::unordered_set<std::string> locations;
  for (const CatalogEntry& entry : catalog.entries.elements()) locations.insert(entry.location);
  return locations;
}

// The fields in the order the add dialog's OK fills them. The facts are read
// at the location resolved against the base directory, which is the file the
// program reaches through the stored location from its working directory.
void addEntryFor(System& system, Catalog& catalog, const NewEntryRules& rules,
                 const std::string& fullPath, const std::string& location, AddCounts& counts) {
  CatalogEntry& entry = addEntry(catalog);
  entry.name = filePart(fullPath);
  entry.location = location;
  entry.typeCode = classifyByExtension(fullPath);
  entry.description.clear();
  entry.author = rules.author;
  const EntryFacts facts = factsForNewEntry(system, resolveLocation(rules.baseDirectory, location));
  entry.lineCount = facts.lineCount;
  entry.modified = facts.modified;
  entry.groupId = rules.groupId;
  ++counts.added;
  counts.lines += facts.lineCount;
}

// Shows files done, lines counted and the time so far, a few times a second.
class ImportProgress {
 public:
  explicit ImportProgress(CliEnvironment& environment) : environment_(environment) {}

  void update(const AddCounts& counts) {
    if (!environment_.showProgress) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastShown_ < std::chrono::milliseconds(200)) return;
    lastShown_ = now;
    show(counts);
  }

  void finish(const AddCounts& counts) {
    if (!shown_) return;
    show(counts);
    environment_.err << "\n";
  }

 private:
  using Clock = std::chrono::steady_clock;

  void show(const AddCounts& counts) {
    const double seconds = std::chrono::duration<double>(Clock::now() - start_).count();
    char line[128];
    std::snprintf(line, sizeof line, "\r%d Dateien, %lld Zeilen, %.1f s", counts.added,
                  static_cast<long long>(counts.lines), seconds);
    environment_.err << line << std::flush;
    shown_ = true;
  }

  CliEnvironment& environment_;
  Clock::time_point start_ = Clock::now();
  Clock::time_point lastShown_ = start_;
  bool shown_ = false;
};

// Adds the files (full paths) that are not yet in the catalog, or all of them
// with --again, and saves the catalog when anything was added.
int addFiles(CliEnvironment& environment, const char* command, const std::string& catalogPath,
             Catalog& catalog, const NewEntryRules& rules, const std::vector<std::string>& files,
             bool hadProblems) {
  std::unordered_set<std::string> known = storedLocations(catalog);
  known.reserve(known.size() + files.size());
  ImportProgress progress(environment);
  AddCounts counts;
  for (const std::string& fullPath : files) {
    const std::string location = makeRelativeLocation(rules.baseDirectory, fullPath);
    if (!known.insert(location).second && !rules.again) {
      ++counts.skipped;
      continue;
    }
    addEntryFor(environment.system, catalog, rules, fullPath, location, counts);
    progress.update(counts);
  }
  progress.finish(counts);
  if (counts.added > 0 && !saveCatalog(environment, command, catalog, catalogPath)) {
    return kExitFailed;
  }
  say(environment.out, "Aufgenommen: " + std::to_string(counts.added) +
                           ", schon im Katalog: " + std::to_string(counts.skipped) + ".\n");
  return hadProblems ? kExitFailed : kExitOk;
}

bool loadForAdding(CliEnvironment& environment, const char* command, const CommandArgs& args,
                   Catalog& catalog) {
  return loadCatalogForChange(environment, command, catalogOptionOf(args), true,
                              args.has("--force"), catalog) != ChangeLoad::Refused;
}

int runAdd(const CommandArgs& args, CliEnvironment& environment) {
  Catalog catalog;
  if (!loadForAdding(environment, "add", args, catalog)) return kExitFailed;
  const NewEntryRules rules = rulesOf(args, environment, catalog);
  const std::string currentDirectory = environment.system.currentDirectory();
  std::vector<std::string> files;
  bool hadProblems = false;
  for (const std::string& argument : args.arguments) {
    const std::string fullPath = fullPathOf(currentDirectory, argument);
    if (environment.system.fileExists(fullPath)) {
      files.push_back(fullPath);
    } else {
      complain(environment, "add", "Keine Datei gefunden: " + argument);
      hadProblems = true;
    }
  }
  return addFiles(environment, "add", catalogOptionOf(args), catalog, rules, files, hadProblems);
}

// The lower-cased extensions of --ext, or empty for every known file type.
std::set<std::string> wantedExtensions(const CommandArgs& args) {
  std::set<std::string> extensions;
  const std::string list = args.value("--ext", "");
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = std::min(list.find(',', start), list.size());
    std::string extension = list.substr(start, end - start);
    if (!extension.empty() && extension[0] == '.') extension.erase(0, 1);
    if (!extension.empty()) extensions.insert(lowerCaseAnsi(extension));
    start = end + 1;
  }
  return extensions;
}

bool isWanted(const std::string& path, const std::set<std::string>& extensions) {
  if (extensions.empty()) return classifyByExtension(path) != 0;
  return extensions.count(lowerCaseAnsi(extensionPart(path))) != 0;
}

// The wanted files under the folder as full paths, sorted, so that a tree is
// always taken in the same order.
bool filesUnder(CliEnvironment& environment, const std::string& folder,
                const std::set<std::string>& extensions, std::vector<std::string>& files) {
  bool complete = true;
  std::error_code error;
  fs::recursive_directory_iterator walk(hostPath(folder),
                                        fs::directory_options::skip_permission_denied, error);
  for (; !error && walk != fs::recursive_directory_iterator(); walk.increment(error)) {
    if (!walk->is_regular_file(error)) continue;
    std::string path;
    if (!ansiPathOf(walk->path(), path)) {
      complain(environment, "import",
               "Ein Dateiname unter " + folder +
                   " passt nicht in die Codepage Windows-1252; "
                   "die Datei wird ausgelassen.");
      complete = false;
      continue;
    }
    path = fullPathOf("", path);
    if (isWanted(path, extensions)) files.push_back(path);
  }
  if (error) {
    complain(environment, "import", "Ordner " + folder + " nicht ganz lesbar: " + error.message());
    complete = false;
  }
  std::sort(files.begin(), files.end());
  return complete;
}

int runImport(const CommandArgs& args, CliEnvironment& environment) {
  const std::set<std::string> extensions = wantedExtensions(args);
  if (args.hasValue("--ext") && extensions.empty()) {
    complain(environment, "import", "--ext braucht mindestens eine Endung, etwa --ext c,h");
    return kExitUsage;
  }
  const std::string folder =
      fullPathOf(environment.system.currentDirectory(), args.arguments.front());
  std::error_code error;
  if (!fs::is_directory(hostPath(folder), error)) {
    complain(environment, "import", "Ordner " + args.arguments.front() + " nicht gefunden.");
    return kExitFailed;
  }
  Catalog catalog;
  if (!loadForAdding(environment, "import", args, catalog)) return kExitFailed;
  const NewEntryRules rules = rulesOf(args, environment, catalog);
  std::vector<std::string> files;
  const bool complete = filesUnder(environment, folder, extensions, files);
  return addFiles(environment, "import", catalogOptionOf(args), catalog, rules, files, !complete);
}

}  // namespace

const CommandInfo& addCommand() {
  static const CommandInfo info{
      "add",
      {{"-c", "--base", "--group", "--author"}, {"--again", "--force"}, 1, SIZE_MAX, "DATEI"},
      "Aufruf: qk add [-c KATALOG] [--base ORDNER] [--group NAME] [--author NAME]\n"
      "              [--again] [--force] DATEI...\n"
      "\n"
      "Nimmt Dateien in den Katalog auf, wie der Dialog \"Neuen Quellcode hinzuf\xFCgen\":\n"
      "Name ist der Dateiname, der Ort wird relativ zum Basisordner gespeichert, der Typ\n"
      "folgt der Endung, Zeilen und Datum werden gelesen.\n"
      "\n"
      "  -c KATALOG      Katalogdatei (ohne Angabe autosave.ksf; fehlt sie, beginnt ein\n"
      "                  leerer Katalog)\n"
      "  --base ORDNER   Basisordner f\xFCr die Orte (ohne Angabe der aktuelle Ordner)\n"
      "  --group NAME    Gruppe nach Namen, wird angelegt wenn sie fehlt (ohne Angabe\n"
      "                  die Standardgruppe der Einstellungen)\n"
      "  --author NAME   Autor (ohne Angabe der Standardautor der Einstellungen; leer\n"
      "                  ergibt \"Unbekannt\")\n"
      "  --again         auch Dateien aufnehmen, deren Ort schon im Katalog steht\n"
      "  --force         auch einen nicht sauber gelesenen Katalog schreiben (die alte\n"
      "                  Datei bleibt als KATALOG.bak)\n"
      "\n"
      "Jedes Schreiben ersetzt den Katalog in einem Schritt und beh\xE4lt die vorige\n"
      "Fassung als KATALOG.bak. Ende mit 0, mit 1 bei einem Fehler.\n",
      runAdd};
  return info;
}

const CommandInfo& importCommand() {
  static const CommandInfo info{
      "import",
      {{"-c", "--base", "--ext", "--group", "--author"}, {"--again", "--force"}, 1, 1, "ORDNER"},
      "Aufruf: qk import [-c KATALOG] [--base ORDNER] [--ext LISTE] [--group NAME]\n"
      "                 [--author NAME] [--again] [--force] ORDNER\n"
      "\n"
      "Nimmt alle Dateien unter ORDNER (mit Unterordnern) auf, die einen bekannten\n"
      "Dateityp haben; jede wie mit qk add.\n"
      "\n"
      "  --ext LISTE     nur diese Endungen, durch Kommas getrennt, etwa pb,pbi,c,h\n"
      "                  (auch Endungen ohne bekannten Typ)\n"
      "  -c, --base, --group, --author, --again, --force: wie bei qk add\n"
      "\n"
      "L\xE4uft der Import in einem Terminal, zeigt er seinen Fortschritt auf stderr.\n"
      "Ende mit 0, mit 1 bei einem Fehler.\n",
      runImport};
  return info;
}

}  // namespace qk
