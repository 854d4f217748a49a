#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "qk_fixture.h"

namespace qk::test {
namespace {

class CheckCommand : public QkTest {
 protected:
  // Two entries whose files exist and one group, as the program writes them.
  std::string goodBytes() {
    file("a.c", "a\n");
    file("b.c", "b\n");
    Catalog catalog;
    for (const char* name : {"a.c", "b.c"}) {
      CatalogEntry& entry = addEntry(catalog);
      entry.name = name;
      entry.location = std::string(".\\") + name;
      entry.author = "Max";
    }
    addGroup(catalog, "Tools");
    return encodeCatalog(catalog);
  }

  QkResult check(const std::string& bytes) {
    writeBytes(path("k.ksf"), bytes);
    return qk({"check", path("k.ksf"), "--base", path("")});
  }

  std::string report(const std::string& lines) {
    return ansiForTerminal("Katalog " + path("k.ksf") + ": " + lines);
  }
};

constexpr size_t kFirstRecordSize = 44 + 3 + 5 + 0 + 3;  // "a.c", ".\a.c", "", "Max"

struct DamageCase {
  const char* what;
  std::string bytes;
  std::string report;
};

TEST_F(CheckCommand, SaysWhereAndWhyReadingStopped) {
  const std::string good = goodBytes();
  std::string badMagic = good;
  badMagic[0] = 'X';
  std::string badCheck = good;
  badCheck[4 + kFirstRecordSize] ^= 1;
  const std::string unknown = good + std::string("\x00\x00\x00\x00\x07\x00\x00\x00", 8);
  const std::string cut = good.substr(0, good.size() - 2);
  const std::vector<DamageCase> cases = {
      {"clean", good, "2 Eintr\xE4ge und 1 Gruppen gelesen.\nIn Ordnung.\n"},
      {"magic", badMagic,
       "0 Eintr\xE4ge und 0 Gruppen gelesen.\n"
       "Falsche Kennung: die Datei beginnt nicht mit der Zahl 1990.\n1 Befund(e).\n"},
      {"check value", badCheck,
       "1 Eintr\xE4ge und 0 Gruppen gelesen.\nFalscher Pr\374fwert im Datensatz bei Byte " +
           std::to_string(4 + kFirstRecordSize) +
           ": dort wurde das Lesen beendet.\n1 Befund(e).\n"},
      {"unknown record", unknown,
       "2 Eintr\xE4ge und 1 Gruppen gelesen.\n"
       "1 Datens\xE4tze unbekannten Typs wurden \374bersprungen.\n1 Befund(e).\n"},
      {"cut", cut,
       "2 Eintr\xE4ge und 1 Gruppen gelesen.\nDie Datei endet mitten in einem Datensatz.\n"
       "1 Befund(e).\n"},
  };
  for (const DamageCase& c : cases) {
    const QkResult result = check(c.bytes);
    EXPECT_EQ(result.out, report(c.report)) << c.what;
    EXPECT_EQ(result.status,
              c.report.find("In Ordnung") != std::string::npos ? kExitOk : kExitFailed)
        << c.what;
  }
}

TEST_F(CheckCommand, NamesEntriesWhoseFilesCannotBeOpened) {
  const std::string good = goodBytes();
  std::filesystem::remove(path("b.c"));
  const QkResult result = check(good);
  EXPECT_EQ(result.status, kExitFailed);
  EXPECT_EQ(result.out, report("2 Eintr\xE4ge und 1 Gruppen gelesen.\n"
                               "Nicht zu \366ffnen: .\\b.c (Eintrag b.c)\n1 Befund(e).\n"));
}

TEST_F(CheckCommand, ReportsAMissingCatalog) {
  const QkResult result = qk({"check", path("nix.ksf")});
  EXPECT_EQ(result.status, kExitFailed);
  EXPECT_EQ(result.out, ansiForTerminal("Katalog " + path("nix.ksf") +
                                        ": 0 Eintr\xE4ge und 0 Gruppen gelesen.\n"
                                        "Die Datei kann nicht ge\366ffnet werden.\n"
                                        "1 Befund(e).\n"));
}

}  // namespace
}  // namespace qk::test
