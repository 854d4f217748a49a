#include "sources/catalog_paths.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "support/test_files.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace qk {
namespace {

struct RelativeCase {
  std::string base;
  std::string path;
  std::string location;
};

TEST(MakeRelativeLocation, StoresBelowBesideAboveOrTheFullPath) {
  const std::string base = "C:\\Werkstatt\\Katalog\\";
  const std::vector<RelativeCase> cases = {
      {base, "C:\\Werkstatt\\Katalog\\main.pb", ".\\main.pb"},
      {base, "C:\\Werkstatt\\Katalog\\Quellen\\alt\\main.pb", ".\\Quellen\\alt\\main.pb"},
      {base, "C:\\Werkstatt\\Projekt\\x.c", "..\\Projekt\\x.c"},
      {base, "C:\\Werkstatt\\x.c", "..\\x.c"},
      {base, "C:\\Werkstatt\\KatalogAlt\\x.c", "..\\KatalogAlt\\x.c"},
      {base, "C:\\Daten\\Alt\\x.c", "..\\..\\Daten\\Alt\\x.c"},
      {base, "C:\\x.c", "..\\..\\x.c"},
      {base, "C:\\werkstatt\\Katalog\\x.c", "..\\..\\werkstatt\\Katalog\\x.c"},
      {base, "c:\\Werkstatt\\Katalog\\x.c", "c:\\Werkstatt\\Katalog\\x.c"},
      {base, "D:\\Werkstatt\\Katalog\\x.c", "D:\\Werkstatt\\Katalog\\x.c"},
      {"C:\\Werkstatt\\Katalog", "C:\\Werkstatt\\Katalog\\main.pb", ".\\main.pb"},
      {"C:\\", "C:\\x.c", ".\\x.c"},
      {"C:\\", "C:\\Quellen\\x.c", ".\\Quellen\\x.c"},
      {"C:\\", "D:\\x.c", "D:\\x.c"},
      {"", "C:\\x.c", "C:\\x.c"},
      {"", "\\\\srv\\sh\\x.c", "\\\\srv\\sh\\x.c"},
      {"\\\\srv\\sh\\dir\\", "\\\\srv\\sh\\other\\f.c", "..\\other\\f.c"},
      {"\\\\srv\\sh\\dir\\", "\\\\srv\\sh\\dir\\f.c", ".\\f.c"},
      {"\\\\srv\\sh\\dir\\", "\\\\srv\\other\\f.c", "\\\\srv\\other\\f.c"},
      {"\\\\srvA\\sh\\dir\\", "\\\\srvB\\sh\\dir\\f.c", "\\\\srvB\\sh\\dir\\f.c"},
  };
  for (const RelativeCase& c : cases) {
    EXPECT_EQ(makeRelativeLocation(c.base, c.path), c.location) << c.base << " + " << c.path;
  }
}

TEST(ResolveLocation, PrefixesRelativeFormsWithTheBaseDirectory) {
  const std::string base = "C:\\Werkstatt\\Katalog\\";
  EXPECT_EQ(resolveLocation(base, ".\\Quellen\\main.pb"),
            "C:\\Werkstatt\\Katalog\\Quellen\\main.pb");
  EXPECT_EQ(resolveLocation(base, "..\\x.c"), "C:\\Werkstatt\\Katalog\\..\\x.c");
  EXPECT_EQ(resolveLocation(base, "D:\\Werkstatt\\Katalog\\x.c"), "D:\\Werkstatt\\Katalog\\x.c");
  EXPECT_EQ(resolveLocation(base, "Quellen\\haupt.cpp"), "Quellen\\haupt.cpp");
  EXPECT_EQ(resolveLocation(base, "./x.c"), "./x.c");
}

struct PartsCase {
  std::string path;
  std::string file;
  std::string folder;
  std::string extension;
};

TEST(PathParts, SplitAtTheLastSeparatorAndTheLastDotOfTheFilePart) {
  const std::vector<PartsCase> cases = {
      {"C:\\Quellen\\Werkzeug\\haupt.cpp", "haupt.cpp", "C:\\Quellen\\Werkzeug\\", "cpp"},
      {".\\haupt.cpp", "haupt.cpp", ".\\", "cpp"},
      {"archiv.tar.gz", "archiv.tar.gz", "", "gz"},
      {".profil", ".profil", "", "profil"},
      {"D:\\projekt.alt\\liesmich", "liesmich", "D:\\projekt.alt\\", ""},
      {"C:\\a/b.c", "b.c", "C:\\a/", "c"},
      {"C:\\x\\datei.", "datei.", "C:\\x\\", ""},
      {"C:\\x\\", "", "C:\\x\\", ""},
      {"", "", "", ""},
  };
  for (const PartsCase& c : cases) {
    EXPECT_EQ(filePart(c.path), c.file) << c.path;
    EXPECT_EQ(folderPart(c.path), c.folder) << c.path;
    EXPECT_EQ(extensionPart(c.path), c.extension) << c.path;
  }
}

// Records what the program asks of the system to open a file; the answer of
// startProgram is set by the test.
class OpeningSystem : public System {
 public:
  bool programStarts = false;
  std::string workingDirectory;
  std::vector<std::string> started;
  std::vector<std::pair<std::string, std::string>> opened;

  std::unique_ptr<ReadableFile> openForReading(const std::string&) override { return nullptr; }
  std::unique_ptr<WritableFile> createFile(const std::string&) override { return nullptr; }
  bool replaceFile(const std::string&, const std::string&) override { return false; }
  bool removeFile(const std::string&) override { return false; }
  bool fileExists(const std::string&) override { return false; }
  bool lastWriteTime(const std::string&, LocalTime&) override { return false; }
  std::string currentDirectory() override { return workingDirectory; }
  std::string profileFolder() override { return {}; }
  std::string hostName() override { return {}; }
  bool startProgram(const std::string& commandLine) override {
    started.push_back(commandLine);
    return programStarts;
  }
  bool shellOpen(const std::string& file, const std::string& directory) override {
    opened.emplace_back(file, directory);
    return false;
  }
};

TEST(ReadBaseDirectory, EndsTheWorkingDirectoryWithOneBackslash) {
  OpeningSystem system;
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"C:\\Werkstatt\\Katalog", "C:\\Werkstatt\\Katalog\\"}, {"C:\\", "C:\\"}, {"", ""}};
  for (const auto& [working, base] : cases) {
    system.workingDirectory = working;
    EXPECT_EQ(readBaseDirectory(system), base) << working;
  }
}

TEST(ReadBaseDirectory, ReadsTheRealWorkingDirectory) {
  std::unique_ptr<System> system = makeSystem();
  const std::string base = readBaseDirectory(*system);
  ASSERT_FALSE(base.empty());
  EXPECT_EQ(base.back(), '\\');
}

class OpenEntryFileTest : public ::testing::Test {
 protected:
  void addEntry(int32_t index, const std::string& location) {
    CatalogEntry& entry = qk::addEntry(catalog);
    entry.entryIndex = index;
    entry.location = location;
  }
  Catalog catalog;
  OpeningSystem system;
};

TEST_F(OpenEntryFileTest, StartsTheResolvedPathQuotedAsAProgram) {
  catalog.baseDirectory = "C:\\Werkstatt\\Katalog\\";
  addEntry(0, ".\\Quellen\\werkzeug.exe");
  addEntry(1, "D:\\Werkstatt\\x.exe");
  addEntry(2, "\"D:\\schon zitiert.exe\"");
  system.programStarts = true;
  openEntryFile(system, catalog, 0);
  openEntryFile(system, catalog, 1);
  openEntryFile(system, catalog, 2);
  EXPECT_EQ(system.started,
            (std::vector<std::string>{"\"C:\\Werkstatt\\Katalog\\Quellen\\werkzeug.exe\"",
                                      "\"D:\\Werkstatt\\x.exe\"", "\"D:\\schon zitiert.exe\""}));
  EXPECT_TRUE(system.opened.empty());
}

TEST_F(OpenEntryFileTest, HandsAFileThatIsNoProgramToTheShellWithItsFolder) {
  catalog.baseDirectory = "C:\\Werkstatt\\Katalog\\";
  addEntry(0, "..\\x.c");
  addEntry(1, "\\notiz.txt");
  addEntry(2, "notiz.txt");
  for (int32_t index : {0, 1, 2}) openEntryFile(system, catalog, index);
  using Opened = std::pair<std::string, std::string>;
  EXPECT_EQ(system.opened, (std::vector<Opened>{
                               {"C:\\Werkstatt\\Katalog\\..\\x.c", "C:\\Werkstatt\\Katalog\\..\\"},
                               {"\\notiz.txt", ""},
                               {"notiz.txt", ""},
                           }));
  EXPECT_EQ(system.started.size(), 3u);
}

TEST_F(OpenEntryFileTest, DoesNothingWithoutAMatchingEntry) {
  addEntry(0, "C:\\x.c");
  openEntryFile(system, catalog, -1);
  openEntryFile(system, catalog, 7);
  EXPECT_TRUE(system.started.empty());
  EXPECT_TRUE(system.opened.empty());
}

#ifdef _WIN32
// The marker program's path arrives in Unix form; Wine maps "/" to drive Z:.
std::string markerProgramPath() {
  std::string path = "Z:" QK_MARKER_PROGRAM;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

bool waitForFile(const std::string& path, std::chrono::seconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < deadline) {
    if (test::exists(path)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return test::exists(path);
}

TEST(OpenEntryFileOnWindows, StartsAProgramThatWindowsCanRun) {
  test::ScratchDir dir;
  const std::string program = dir.file("marker program.exe");
  ASSERT_TRUE(CopyFileA(markerProgramPath().c_str(), program.c_str(), FALSE));
  std::unique_ptr<System> system = makeSystem();
  Catalog catalog;
  catalog.baseDirectory = readBaseDirectory(*system);
  qk::addEntry(catalog).location = program;

  openEntryFile(*system, catalog, 0);

  EXPECT_TRUE(waitForFile(program + ".ran", std::chrono::seconds(20)));
}

// The editor the shell started for a file: a visible top-level window whose
// title names it. Waits up to `timeout` for it to appear.
HWND waitForWindowNaming(const std::string& fileName, std::chrono::seconds timeout) {
  struct Search {
    const std::string* name;
    HWND found;
  } search{&fileName, nullptr};
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!search.found && std::chrono::steady_clock::now() < deadline) {
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
          Search& s = *reinterpret_cast<Search*>(param);
          char title[512] = {};
          GetWindowTextA(window, title, sizeof title);
          if (IsWindowVisible(window) && std::string(title).find(*s.name) != std::string::npos) {
            s.found = window;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (!search.found) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return search.found;
}

// Closes the editor again: it would otherwise outlive the test and hold the
// test runner's output pipe open.
void closeEditorOf(const std::string& fileName) {
  HWND editor = waitForWindowNaming(fileName, std::chrono::seconds(5));
  if (!editor) return;
  PostMessageA(editor, WM_CLOSE, 0, 0);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (IsWindow(editor) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

TEST(OpenEntryFileOnWindows, ReturnsForATextFile) {
  test::ScratchDir dir;
  const std::string text = dir.file("notiz.txt");
  test::writeBytes(text, "Hallo\r\n");
  std::unique_ptr<System> system = makeSystem();
  Catalog catalog;
  qk::addEntry(catalog).location = text;

  openEntryFile(*system, catalog, 0);
  closeEditorOf("notiz.txt");

  EXPECT_EQ(test::readBytes(text), "Hallo\r\n");
}
#endif

}  // namespace
}  // namespace qk
