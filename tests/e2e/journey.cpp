#include "e2e/journey.h"

#include <algorithm>
#include <filesystem>

#include "catalog/catalog_file.h"
#include "platform/system.h"

namespace qk::e2e {

Journey::Journey() { DeleteFileA(settingsFilePath().c_str()); }

std::vector<std::string> Journey::workDirContent() const {
  std::vector<std::string> names;
  for (const auto& item : std::filesystem::directory_iterator(workDir.path())) {
    names.push_back(item.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

void Journey::writeCatalog(const Catalog& catalog, const std::string& name) const {
  auto system = makeSystem();
  ASSERT_EQ(writeCatalogFile(*system, catalog, file(name), false), SaveResult::Saved) << name;
}

void Journey::closeProgram() {
  DWORD exitCode = 1;
  ASSERT_TRUE(program.close(exitCode));
  EXPECT_EQ(exitCode, 0u);
}

Catalog catalogOf(std::initializer_list<const char*> names) {
  Catalog catalog;
  for (const char* name : names) {
    CatalogEntry& entry = addEntry(catalog);
    entry.name = name;
    entry.location = std::string(".\\") + name + ".c";
    entry.typeCode = 5;
    entry.author = "Anna";
    entry.groupId = -1;
  }
  return catalog;
}

std::string settingsText(int stdtab, const std::string& author, int ungroupnode, int stdgruppe,
                         int treeexpand, const std::string& addpattern) {
  return "opt_ungroupnode = " + std::to_string(ungroupnode) + "\r\n" +
         "opt_stdgruppe = " + std::to_string(stdgruppe) + "\r\n" +  //
         "opt_stdautor = " + author + "\r\n" +                       //
         "opt_treeexpand = " + std::to_string(treeexpand) + "\r\n" +
         "opt_stdtab = " + std::to_string(stdtab) + "\r\n" +  //
         "opt_addpattern = " + addpattern + "\r\n";
}

}  // namespace qk::e2e
