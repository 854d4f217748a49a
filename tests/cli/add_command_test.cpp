#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/memory/memory_gui.h"
#include "qk_fixture.h"
#include "ui/dialogs/dialogs.h"
#include "ui/main/ids.h"
#include "ui/main/main_window.h"
#include "ui/main/views.h"
#include "sources/catalog_paths.h"
#include "support/faulty_system.h"

namespace qk::test {
namespace {

constexpr char kMainC[] = "int main() {\n  return 0;\n}\n";

class AddCommand : public QkTest {
 protected:
  AddCommand() {
    file("kat/src/main.c", kMainC);
    file("kat/src/util.h", "#pragma once\r\n");
    file("kat/README", "liesmich\n");
    file("kat/doc/notes.TXT", "a\nb\n");
    file("kat/lib/x.cc", "int x;\n");
    file("other/tool.pb", "x\ry\r");
  }
};

// Changes the working directory for one test and restores it.
class WorkingDirectory {
 public:
  explicit WorkingDirectory(const std::string& folder)
      : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  ~WorkingDirectory() { std::filesystem::current_path(previous_); }

 private:
  std::filesystem::path previous_;
};

struct LocationCase {
  std::string base;  // --base, as given
  std::string file;  // in the scratch folder
  std::string location;
};

TEST_F(AddCommand, StoresLocationsBelowBesideAndOnAnotherDrive) {
  const std::vector<LocationCase> cases = {
      {path("kat"), "kat/src/main.c", ".\\src\\main.c"},
      {path("kat") + "/", "kat/README", ".\\README"},
      {path("kat"), "other/tool.pb", "..\\other\\tool.pb"},
      {path("kat/src/deep"), "other/tool.pb", "..\\..\\..\\other\\tool.pb"},
      // A base on a drive the file is not on: the full path is stored.
      {"D:\\Katalog", "other/tool.pb", windowsPath("other/tool.pb")},
  };
  int n = 0;
  for (const LocationCase& c : cases) {
    const std::string catalog = path("case" + std::to_string(n++) + ".ksf");
    const QkResult result = qk({"add", "-c", catalog, "--base", c.base, path(c.file)});
    EXPECT_EQ(result.status, kExitOk) << result.err;
    EXPECT_EQ(result.out, "Aufgenommen: 1, schon im Katalog: 0.\n");
    EXPECT_EQ(locationsAt(catalog), std::vector<std::string>{c.location}) << c.base;
  }
}

TEST_F(AddCommand, TakesTheWorkingDirectoryAsBaseAndRelativePaths) {
  WorkingDirectory inKat(path("kat"));
  const QkResult result = qk({"add", "-c", "k.ksf", "src/main.c", "..\\other\\tool.pb"});
  EXPECT_EQ(result.status, kExitOk) << result.err;
  EXPECT_EQ(locationsAt("k.ksf"),
            (std::vector<std::string>{".\\src\\main.c", "..\\other\\tool.pb"}));
}

// The add dialog, through the in-memory GUI: the program holds the catalog
// and the settings as start-up loaded them, "..." chooses the file and OK
// stores the entry.
Catalog addedThroughTheDialog(System& system, const std::string& catalogPath,
                              const std::string& settingsPath, const std::string& fullPath) {
  MemoryGui gui;
  Program program(gui, system);
  readCatalogFile(system, program.catalog, catalogPath);
  program.catalog.baseDirectory = readBaseDirectory(system);
  loadSettings(system, program.options, settingsPath);
  gui.openMainWindow("Quellkiste", kMainMinWidth, kMainMinHeight);
  createMainControls(program);
  rebuildViews(program);

  openAddDialog(program);
  gui.scriptFileChoice(fullPath);
  for (int control : {102, 105}) {
    Event event;
    event.kind = kEventControl;
    event.window = kAddWindow;
    event.control = control;
    EXPECT_TRUE(handleDialogEvent(program, event));
  }
  EXPECT_FALSE(gui.hasWindow(kAddWindow)) << "the dialog stayed open";
  return std::move(program.catalog);
}

TEST_F(AddCommand, StoresTheBytesTheAddDialogWould) {
  useSettings("Max Muster", 2);
  WorkingDirectory inKat(path("kat"));
  ASSERT_EQ(qk({"add", "-c", "k.ksf", "src/util.h"}).status, kExitOk);
  const Catalog throughDialog = addedThroughTheDialog(
      *system_, "k.ksf", path("Quellkiste.ini"), windowsPath("kat/src/main.c"));
  const QkResult result = qk({"add", "-c", "k.ksf", "src/main.c"});
  ASSERT_EQ(result.status, kExitOk) << result.err;

  EXPECT_EQ(readBytes("k.ksf"), encodeCatalog(throughDialog));
  const Catalog stored = catalogAt("k.ksf");  // in entryIndex order: util.h, main.c
  EXPECT_EQ(stored.entries.elements()[1].lineCount, 3);
  EXPECT_EQ(stored.entries.elements()[1].author, "Max Muster");
  EXPECT_EQ(stored.entries.elements()[1].groupId, 2);
}

struct AuthorCase {
  std::string setting;
  std::vector<std::string> options;
  std::string author;
};

TEST_F(AddCommand, TakesTheAuthorFromTheOptionOrTheSettings) {
  const std::vector<AuthorCase> cases = {
      {"Max Muster", {}, "Max Muster"},
      {"", {}, "Unbekannt"},
      {"Max Muster", {"--author", "M\xFCller"}, "M\xFCller"},
      {"Max Muster", {"--author", ""}, "Unbekannt"},
      {"Max Muster", {"--author", " "}, " "},
  };
  int n = 0;
  for (const AuthorCase& c : cases) {
    useSettings(c.setting, -1);
    const std::string catalog = path("author" + std::to_string(n++) + ".ksf");
    std::vector<std::string> args = {"add", "-c", catalog, path("other/tool.pb")};
    args.insert(args.end(), c.options.begin(), c.options.end());
    ASSERT_EQ(qk(args).status, kExitOk);
    EXPECT_EQ(catalogAt(catalog).entries.elements()[0].author, c.author) << c.setting;
  }
}

TEST_F(AddCommand, SkipsStoredLocationsUnlessAgain) {
  const std::string catalog = path("k.ksf");
  const std::vector<std::string> add = {"add",    "-c",        catalog,
                                        "--base", path("kat"), path("kat/src/main.c")};
  ASSERT_EQ(qk(add).status, kExitOk);
  const std::string once = readBytes(catalog);
  const QkResult skipped = qk(add);
  EXPECT_EQ(skipped.status, kExitOk);
  EXPECT_EQ(skipped.out, "Aufgenommen: 0, schon im Katalog: 1.\n");
  EXPECT_EQ(readBytes(catalog), once);

  std::vector<std::string> again = add;
  again.push_back("--again");
  EXPECT_EQ(qk(again).out, "Aufgenommen: 1, schon im Katalog: 0.\n");
  EXPECT_EQ(locationsAt(catalog), (std::vector<std::string>{".\\src\\main.c", ".\\src\\main.c"}));
  EXPECT_EQ(readBytes(catalog + ".bak"), once);
}

TEST_F(AddCommand, ReportsMissingFilesAndAddsTheOthers) {
  const std::string catalog = path("k.ksf");
  const QkResult result =
      qk({"add", "-c", catalog, "--base", path("kat"), path("kat/nix.c"), path("kat/src/main.c")});
  EXPECT_EQ(result.status, kExitFailed);
  EXPECT_EQ(result.err, "qk add: Keine Datei gefunden: " + path("kat/nix.c") + "\n");
  EXPECT_EQ(result.out, "Aufgenommen: 1, schon im Katalog: 0.\n");
}

struct ImportCase {
  std::vector<std::string> options;
  std::vector<std::string> locations;  // in entryIndex order: the sorted paths
};

TEST_F(AddCommand, ImportTakesKnownTypesOrTheListedExtensions) {
  const std::vector<ImportCase> cases = {
      {{}, {".\\doc\\notes.TXT", ".\\src\\main.c", ".\\src\\util.h"}},
      {{"--ext", "cc,.H"}, {".\\lib\\x.cc", ".\\src\\util.h"}},
  };
  int n = 0;
  for (const ImportCase& c : cases) {
    const std::string catalog = path("import" + std::to_string(n++) + ".ksf");
    std::vector<std::string> args = {"import", "-c", catalog, "--base", path("kat"), path("kat")};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const QkResult result = qk(args);
    EXPECT_EQ(result.status, kExitOk) << result.err;
    EXPECT_EQ(locationsAt(catalog), c.locations);
  }
}

TEST_F(AddCommand, ImportFindsOrCreatesTheGroupByName) {
  const std::string catalog = path("k.ksf");
  const std::vector<std::string> import = {
      "import", "-c", catalog, "--base", path("kat"), path("kat/src"), "--group", "Werkzeuge"};
  ASSERT_EQ(qk(import).out, "Aufgenommen: 2, schon im Katalog: 0.\n");
  ASSERT_EQ(qk({"add", "-c", catalog, "--group", "Andere", path("other/tool.pb")}).status, kExitOk);
  std::vector<std::string> again = import;
  again.push_back("--again");
  ASSERT_EQ(qk(again).status, kExitOk);

  Catalog result = catalogAt(catalog);
  ASSERT_EQ(result.groups.countElements(), 2);
  EXPECT_EQ(result.groups.elements()[0].name, "Werkzeuge");
  EXPECT_EQ(result.groups.elements()[1].name, "Andere");
  std::vector<int32_t> groups;
  for (const CatalogEntry& entry : result.entries.elements()) groups.push_back(entry.groupId);
  // In the order added: main.c, util.h, tool.pb, main.c, util.h.
  EXPECT_EQ(groups, (std::vector<int32_t>{0, 0, 1, 0, 0}));
}

TEST_F(AddCommand, ImportOfAMissingFolderFails) {
  const QkResult result = qk({"import", "-c", path("k.ksf"), path("nirgends")});
  EXPECT_EQ(result.status, kExitFailed);
  EXPECT_EQ(result.err, "qk import: Ordner " + path("nirgends") + " nicht gefunden.\n");
  EXPECT_FALSE(exists(path("k.ksf")));
}

TEST_F(AddCommand, LeavesADamagedCatalogAloneUnlessForced) {
  const std::string catalog = path("k.ksf");
  const std::string damaged = std::string("\xC7\x07\x00\x00", 4);
  writeBytes(catalog, damaged);
  const std::vector<std::string> add = {"add", "-c", catalog, path("other/tool.pb")};
  for (const char* command : {"add", "import"}) {
    std::vector<std::string> args = add;
    args[0] = command;
    if (args[0] == "import") args.back() = path("other");
    const QkResult refused = qk(args);
    EXPECT_EQ(refused.status, kExitFailed) << command;
    EXPECT_NE(refused.err.find("Falsche Kennung"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("--force"), std::string::npos) << refused.err;
    EXPECT_EQ(readBytes(catalog), damaged);
    EXPECT_FALSE(exists(catalog + ".bak"));
  }

  std::vector<std::string> forced = add;
  forced.push_back("--force");
  const QkResult result = qk(forced);
  EXPECT_EQ(result.status, kExitOk) << result.err;
  EXPECT_EQ(readBytes(catalog + ".bak"), damaged);
  EXPECT_EQ(catalogAt(catalog).entries.countElements(), 1);
}

TEST_F(AddCommand, AFailedSaveLeavesTheCatalogAsItWas) {
  const std::string catalog = path("k.ksf");
  ASSERT_EQ(qk({"add", "-c", catalog, path("kat/src/main.c")}).status, kExitOk);
  const std::string before = readBytes(catalog);
  FaultySystem faulty(*system_);
  faulty.failEvery(FileOperation::ReplaceFile);
  std::ostringstream out;
  std::ostringstream err;
  CliEnvironment environment{faulty, out, err};
  environment.settingsFile = path("Quellkiste.ini");
  EXPECT_EQ(runQk({"add", "-c", catalog, path("other/tool.pb")}, environment), kExitFailed);
  EXPECT_EQ(err.str(), ansiForTerminal("qk add: " + catalogSaveFailedText(catalog) + "\n"));
  EXPECT_EQ(readBytes(catalog), before);
}

}  // namespace
}  // namespace qk::test
