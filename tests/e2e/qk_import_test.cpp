// A source tree catalogued by qk opens in the program with the folder tree
// that tree gives.
#include <filesystem>
#include <sstream>

#include "cli/qk_cli.h"
#include "e2e/journey.h"
#include "platform/system.h"

namespace qk::e2e {
namespace {

constexpr int kFolderTree = 10;

struct Row {
  std::string text;
  int level;
  bool operator==(const Row& other) const { return text == other.text && level == other.level; }
};

void PrintTo(const Row& row, std::ostream* out) { *out << "{" << row.text << ", " << row.level << "}"; }

class QkImport : public Journey {
 protected:
  void sourceFile(const std::string& relative, const std::string& bytes) {
    const std::string full = file(relative);
    std::filesystem::create_directories(std::filesystem::path(full).parent_path());
    test::writeBytes(full, bytes);
  }
};

TEST_F(QkImport, AnImportedTreeOpensWithItsFolders) {
  sourceFile("haupt.c", "int main(void) { return 0; }\r\n");
  sourceFile("src\\netz.c", "a\r\nb\r\n");
  sourceFile("src\\netz\\sock.h", "#pragma once\r\n");
  sourceFile("doku\\liesmich.txt", "Hallo\r\n");
  sourceFile("doku\\bild.png", "kein Quelltext");
  test::writeBytes(settingsFilePath(), settingsText(2, "Vuz"));

  auto system = makeSystem();
  std::ostringstream out, err;
  CliEnvironment environment{*system, out, err};
  ASSERT_EQ(runQk({"import", "-c", file("autosave.ksf"), "--base", workDir.path(), workDir.path()},
                  environment),
            kExitOk)
      << err.str();

  ASSERT_TRUE(program.open(workDir.path()));
  std::vector<Row> rows;
  for (const TreeItem& item : program.treeItems(program.control(kFolderTree)))
    rows.push_back({item.text, item.level});
  EXPECT_EQ(rows, (std::vector<Row>{{"root", 0},
                                    {"doku", 1},
                                    {"liesmich.txt", 2},
                                    {"src", 1},
                                    {"netz.c", 2},
                                    {"netz", 2},
                                    {"sock.h", 3},
                                    {"haupt.c", 1}}));
  closeProgram();
}

}  // namespace
}  // namespace qk::e2e
