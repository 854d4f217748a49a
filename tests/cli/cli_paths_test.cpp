#include "cli/cli_paths.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qk {
namespace {

struct FullPathCase {
  std::string currentDirectory;
  std::string path;
  std::string fullPath;
};

TEST(FullPathOf, GivesTheFormTheFileDialogReturns) {
  const std::vector<FullPathCase> cases = {
      {"C:\\Werkstatt", "main.pb", "C:\\Werkstatt\\main.pb"},
      {"C:\\Werkstatt\\", "Quellen/alt/x.c", "C:\\Werkstatt\\Quellen\\alt\\x.c"},
      {"C:\\Werkstatt\\Katalog", "..\\x.c", "C:\\Werkstatt\\x.c"},
      {"C:\\Werkstatt", ".\\a\\.\\b\\..\\c.h", "C:\\Werkstatt\\a\\c.h"},
      {"C:\\Werkstatt", "a\\\\b", "C:\\Werkstatt\\a\\b"},
      {"C:\\Werkstatt", "D:\\Andere\\x.c", "D:\\Andere\\x.c"},
      {"C:\\Werkstatt", "\\Wurzel\\x.c", "C:\\Wurzel\\x.c"},
      {"C:\\", "..\\..\\x.c", "C:\\x.c"},
      {"C:\\Werkstatt", "..\\..", "C:\\"},
      {"C:\\Werkstatt", "\\\\srv\\share\\a\\..\\..\\b.c", "\\\\srv\\share\\b.c"},
      // Native working directories have no drive.
      {"\\home\\max", "src/main.c", "\\home\\max\\src\\main.c"},
      {"\\home\\max", "/tmp/../opt/x.c", "\\opt\\x.c"},
      {"\\home", "../../..", "\\"},
  };
  for (const FullPathCase& c : cases) {
    EXPECT_EQ(fullPathOf(c.currentDirectory, c.path), c.fullPath)
        << c.currentDirectory << " + " << c.path;
  }
}

TEST(FullFolderOf, EndsWithOneBackslash) {
  EXPECT_EQ(fullFolderOf("C:\\Werkstatt", "Katalog"), "C:\\Werkstatt\\Katalog\\");
  EXPECT_EQ(fullFolderOf("C:\\Werkstatt", "Katalog\\"), "C:\\Werkstatt\\Katalog\\");
  EXPECT_EQ(fullFolderOf("C:\\Werkstatt", "C:\\"), "C:\\");
  EXPECT_EQ(fullFolderOf("\\home", "/"), "\\");
}

}  // namespace
}  // namespace qk
