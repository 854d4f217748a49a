// qk list: the entries in name order as an aligned table.
#include <algorithm>
#include <array>
#include <map>
#include <ostream>
#include <vector>

#include "cli/cli_support.h"
#include "sources/file_facts.h"
#include "sources/file_types.h"

namespace qk {

namespace {

enum Column { kName, kLocation, kType, kDate, kLines, kAuthor, kGroup, kColumnCount };
using Row = std::array<std::string, kColumnCount>;

// A cell on one line: line breaks and other control bytes become blanks.
std::string cellText(std::string text) {
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  }
  return text;
}

std::map<int32_t, std::string> groupNames(const Catalog& catalog) {
  std::map<int32_t, std::string> names;
  for (const CatalogGroup& group : catalog.groups.elements())
    names.emplace(group.groupId, group.name);
  return names;
}

Row rowOf(const CatalogEntry& entry, const std::map<int32_t, std::string>& groups) {
  auto group = groups.find(entry.groupId);
  return {cellText(entry.name),
          cellText(entry.location),
          typeDisplayName(entry.typeCode),
          formatDate(kDateMask, entry.modified),
          std::to_string(entry.lineCount),
          cellText(entry.author),
          group == groups.end() ? std::string() : cellText(group->second)};
}

// Every byte is one character in the code page, so widths are byte counts.
std::string tableText(const std::vector<Row>& rows) {
  std::array<size_t, kColumnCount> widths{};
  for (const Row& row : rows) {
    for (int column = 0; column < kColumnCount; ++column) {
      widths[column] = std::max(widths[column], row[column].size());
    }
  }
  std::string text;
  for (const Row& row : rows) {
    std::string line;
    for (int column = 0; column < kColumnCount; ++column) {
      const std::string padding(widths[column] - row[column].size(), ' ');
      if (column > 0) line += "  ";
      line += column == kLines ? padding + row[column] : row[column] + padding;
    }
    line.erase(line.find_last_not_of(' ') + 1);
    text += line + "\n";
  }
  return text;
}

int runList(const CommandArgs& args, CliEnvironment& environment) {
  Catalog catalog;
  const CatalogReadReport report =
      loadCatalogToShow(environment, "list", catalogArgumentOf(args), catalog);
  if (report.result != 1) return kExitFailed;
  const auto groups = groupNames(catalog);
  std::vector<Row> rows{{"Name", "Ort", "Typ", "Datum", "Zeilen", "Autor", "Gruppe"}};
  for (const CatalogEntry& entry : catalog.entries.elements()) rows.push_back(rowOf(entry, groups));
  say(environment.out, tableText(rows));
  return report.clean() ? kExitOk : kExitFailed;
}

}  // namespace

const CommandInfo& listCommand() {
  static const CommandInfo info{
      "list",
      {{"-c"}, {}, 0, 1, "KATALOG"},
      "Aufruf: qk list [KATALOG]\n"
      "\n"
      "Zeigt die Eintr\xE4ge des Katalogs nach Namen geordnet als Tabelle: Name, Ort,\n"
      "Typ, Datum, Zeilen, Autor und Gruppe. KATALOG ist ohne Angabe autosave.ksf.\n"
      "\n"
      "Ende mit 0, mit 1 wenn der Katalog nicht (vollst\xE4ndig) gelesen werden kann.\n",
      runList};
  return info;
}

}  // namespace qk
