// Fills the working directory with a few sample source files in subfolders,
// one file beside it in ..\, and a catalog autosave.ksf of them with two
// groups, written by the catalog store as the program would write it.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "catalog/catalog.h"
#include "catalog/catalog_file.h"
#include "platform/system.h"
#include "sources/catalog_paths.h"
#include "sources/file_facts.h"
#include "sources/file_types.h"

namespace {

constexpr int kNoGroup = -1;
constexpr int kNetGroup = 0;
constexpr int kToolsGroup = 1;

struct DemoFile {
  const char* path;  // relative to the working directory
  const char* name;
  const char* description;
  const char* author;
  int groupId;
  const char* content;
};

// Texts in the ANSI code page (\xE4 is a-umlaut, \xFC u-umlaut, \xF6 o-umlaut).
const DemoFile kDemoFiles[] = {
    {"src\\main.c", "Hauptprogramm", "Startet die Werkstatt-Anwendung.\nLiest die Konfiguration.",
     "Anna", kNoGroup,
     "#include \"main.h\"\n\nint main(void) {\n  return werkstatt_start();\n}\n"},
    {"src\\main.h", "Hauptprogramm (Kopf)", "Deklarationen f\xFCr main.c", "Anna", kNoGroup,
     "#pragma once\nint werkstatt_start(void);\n"},
    {"src\\fenster.pb", "Fenster-Werkzeug", "Ein kleines Fenster mit zwei Kn\xF6pfen.", "Bernd",
     kToolsGroup,
     "OpenWindow(0, 100, 100, 320, 200, \"Werkzeug\")\nButtonGadget(1, 10, 10, 80, 24, \"OK\")\n"
     "Repeat : Until WaitWindowEvent() = #PB_Event_CloseWindow\n"},
    {"src\\net\\socket.c", "Socket-Schicht", "Verbindungen \xF6" "ffnen und schlie\xDF" "en.",
     "Bernd", kNetGroup,
     "#include \"socket.h\"\n\nint net_open(const char* host) {\n  (void)host;\n  return 0;\n}\n"},
    {"src\\net\\socket.h", "Socket-Schicht (Kopf)", "", "Bernd", kNetGroup,
     "#pragma once\nint net_open(const char* host);\n"},
    {"src\\net\\paket.py", "Paket-Dekoder", "Zerlegt Pakete in ihre Felder.", "Clara", kNetGroup,
     "def felder(paket):\n    return paket.split(b\";\")\n"},
    {"docs\\liesmich.txt", "Liesmich", "Erste Schritte f\xFCr neue Mitarbeiter.", "Anna", kNoGroup,
     "Werkstatt\r\n=========\r\n\r\nBauen: make\r\n"},
    {"..\\notizen.txt", "Notizen", "Ideen f\xFCr sp\xE4ter.", "Clara", kToolsGroup,
     "- Protokoll v2\n- Fenster gr\xF6\xDF" "er\n"},
};

bool writeSample(const DemoFile& file) {
  std::filesystem::path path(file.path);
  std::error_code error;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), error);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << file.content;
  return out.good();
}

}  // namespace

int main() {
  auto system = qk::makeSystem();
  qk::Catalog catalog;
  catalog.baseDirectory = qk::readBaseDirectory(*system);
  qk::addGroup(catalog, "Netzwerk");
  qk::addGroup(catalog, "Werkzeuge");
  for (const DemoFile& file : kDemoFiles) {
    if (!writeSample(file)) {
      std::fprintf(stderr, "cannot write %s\n", file.path);
      return 1;
    }
    std::string fullPath =
        std::filesystem::absolute(file.path).lexically_normal().make_preferred().string();
    qk::CatalogEntry& entry = qk::addEntry(catalog);
    entry.name = file.name;
    entry.location = qk::makeRelativeLocation(catalog.baseDirectory, fullPath);
    entry.typeCode = qk::classifyByExtension(fullPath);
    entry.description = file.description;
    qk::EntryFacts facts = qk::factsForNewEntry(*system, entry.location);
    entry.modified = facts.modified;
    entry.lineCount = facts.lineCount;
    entry.author = file.author;
    entry.groupId = file.groupId;
  }
  if (qk::writeCatalogFile(*system, catalog, qk::kAutosaveFileName, false) !=
      qk::SaveResult::Saved) {
    std::fprintf(stderr, "cannot write %s\n", qk::kAutosaveFileName);
    return 1;
  }
  return 0;
}
