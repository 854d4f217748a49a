#pragma once
// What every journey starts from: a fresh working directory, no settings
// file in the profile folder, and the program not yet started.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "catalog/catalog.h"
#include "e2e/driver.h"
#include "support/test_files.h"

namespace qk::e2e {

class Journey : public testing::Test {
 protected:
  Journey();

  std::string file(const std::string& name) const { return workDir.file(name); }
  // The names of the working directory's files and folders, sorted.
  std::vector<std::string> workDirContent() const;
  // Writes the catalog with the catalog store.
  void writeCatalog(const Catalog& catalog, const std::string& name) const;
  // Closes the program and expects it to end with exit code 0.
  void closeProgram();

  test::ScratchDir workDir;
  Program program;
};

// A catalog of entries in the working directory (".\<name>.c"), given in
// name order, so that it is also the order the program saves them in.
Catalog catalogOf(std::initializer_list<const char*> names);

// The six lines of the settings file, each ended by CR LF.
std::string settingsText(int stdtab, const std::string& author, int ungroupnode = 0,
                         int stdgruppe = -1, int treeexpand = 0,
                         const std::string& addpattern = "");

}  // namespace qk::e2e
