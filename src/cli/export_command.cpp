// qk export: every field of every entry and group, as CSV in the program's
// code page or as JSON in UTF-8.
#include <cstdio>
#include <ostream>

#include "cli/cli_support.h"
#include "cli/text_encoding.h"

namespace qk {

namespace {

// RFC 4180: a field with a comma, a quote or a line break is quoted, its
// quotes doubled.
std::string csvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string csvText(const Catalog& catalog) {
  std::string text =
      "record,name,location,typeCode,description,modified,lineCount,author,groupId,entryIndex\r\n";
  for (const CatalogEntry& entry : catalog.entries.elements()) {
    text += "entry," + csvField(entry.name) + "," + csvField(entry.location) + "," +
            std::to_string(entry.typeCode) + "," + csvField(entry.description) + "," +
            std::to_string(entry.modified) + "," + std::to_string(entry.lineCount) + "," +
            csvField(entry.author) + "," + std::to_string(entry.groupId) + "," +
            std::to_string(entry.entryIndex) + "\r\n";
  }
  for (const CatalogGroup& group : catalog.groups.elements()) {
    text += "group," + csvField(group.name) + ",,,,,,," + std::to_string(group.groupId) + ",\r\n";
  }
  return text;
}

std::string jsonString(const std::string& ansi) {
  std::string text = "\"";
  for (char c : ansiToUtf8(ansi)) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      text += '\\';
      text += c;
    } else if (c == '\n') {
      text += "\\n";
    } else if (c == '\r') {
      text += "\\r";
    } else if (c == '\t') {
      text += "\\t";
    } else if (byte < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", byte);
      text += escape;
    } else {
      text += c;
    }
  }
  return text + "\"";
}

std::string jsonText(const Catalog& catalog) {
  std::string text = "{\n  \"entries\": [";
  const char* separator = "\n    ";
  for (const CatalogEntry& entry : catalog.entries.elements()) {
    text += separator;
    text += "{\"name\": " + jsonString(entry.name) +
            ", \"location\": " + jsonString(entry.location) +
            ", \"typeCode\": " + std::to_string(entry.typeCode) +
            ", \"description\": " + jsonString(entry.description) +
            ", \"modified\": " + std::to_string(entry.modified) +
            ", \"lineCount\": " + std::to_string(entry.lineCount) +
            ", \"author\": " + jsonString(entry.author) +
            ", \"groupId\": " + std::to_string(entry.groupId) +
            ", \"entryIndex\": " + std::to_string(entry.entryIndex) + "}";
    separator = ",\n    ";
  }
  text += catalog.entries.countElements() > 0 ? "\n  ],\n  \"groups\": [" : "],\n  \"groups\": [";
  separator = "\n    ";
  for (const CatalogGroup& group : catalog.groups.elements()) {
    text += separator;
    text += "{\"name\": " + jsonString(group.name) +
            ", \"groupId\": " + std::to_string(group.groupId) + "}";
    separator = ",\n    ";
  }
  text += catalog.groups.countElements() > 0 ? "\n  ]\n}\n" : "]\n}\n";
  return text;
}

int runExport(const CommandArgs& args, CliEnvironment& environment) {
  if (args.has("--csv") == args.has("--json")) {
    complain(environment, "export", "genau eines von --csv und --json angeben");
    return kExitUsage;
  }
  Catalog catalog;
  const CatalogReadReport report =
      loadCatalogToShow(environment, "export", catalogArgumentOf(args), catalog);
  if (report.result != 1) return kExitFailed;
  environment.out << (args.has("--csv") ? csvText(catalog) : jsonText(catalog));
  return report.clean() ? kExitOk : kExitFailed;
}

}  // namespace

const CommandInfo& exportCommand() {
  static const CommandInfo info{
      "export",
      {{"-c"}, {"--csv", "--json"}, 0, 1, "KATALOG"},
      "Aufruf: qk export [KATALOG] --csv | --json\n"
      "\n"
      "Gibt jedes Feld jedes Eintrags und jeder Gruppe auf stdout aus, Eintr\xE4ge nach\n"
      "Namen geordnet. KATALOG ist ohne Angabe autosave.ksf.\n"
      "\n"
      "  --csv    CSV nach RFC 4180 in der Codepage des Programms (Windows-1252):\n"
      "           eine Zeile je Eintrag (record = entry) und je Gruppe (record = group)\n"
      "  --json   JSON in UTF-8: {\"entries\": [...], \"groups\": [...]}\n"
      "\n"
      "Ende mit 0, mit 1 wenn der Katalog nicht (vollst\xE4ndig) gelesen werden kann.\n",
      runExport};
  return info;
}

}  // namespace qk
