#pragma once
// A scratch folder with the user's settings of its own, and qk run in process
// on it.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "catalog/catalog.h"
#include "catalog/catalog_file.h"
#include "catalog/settings.h"
#include "cli/host_text.h"
#include "cli/qk_cli.h"
#include "support/test_files.h"

namespace qk::test {

struct QkResult {
  int status = -1;
  std::string out;
  std::string err;
};

class QkTest : public ::testing::Test {
 protected:
  QkTest() { useSettings("Max Muster", -1); }

  QkResult qk(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    CliEnvironment environment{*system_, out, err};
    environment.settingsFile = path("Quellkiste.ini");
    QkResult result;
    result.status = runQk(args, environment);
    result.out = out.str();
    result.err = err.str();
    return result;
  }

  // A path in the scratch folder, in the build's native form.
  std::string path(const std::string& name) const { return scratch_.file(name); }
  // The same in backslash form, as the program's dialogs give full paths.
  std::string windowsPath(const std::string& name) const {
    std::string windows = path(name);
    for (char& c : windows) {
      if (c == '/') c = '\\';
    }
    return windows;
  }

  // Writes a file in the scratch folder, creating its folders.
  std::string file(const std::string& name, const std::string& bytes) {
    const std::string full = path(name);
    std::filesystem::create_directories(std::filesystem::path(full).parent_path());
    writeBytes(full, bytes);
    return full;
  }

  void useSettings(const std::string& author, int32_t group) {
    Options options = defaultOptions(*system_);
    options.opt_stdautor = author;
    options.opt_stdgruppe = group;
    writeBytes(path("Quellkiste.ini"), formatSettingsText(options));
  }

  Catalog catalogAt(const std::string& catalogPath) {
    Catalog catalog;
    EXPECT_TRUE(readCatalogFile(*system_, catalog, catalogPath).clean()) << catalogPath;
    return catalog;
  }

  std::vector<std::string> locationsAt(const std::string& catalogPath) {
    std::vector<std::string> locations;
    const Catalog catalog = catalogAt(catalogPath);
    for (const CatalogEntry& entry : catalog.entries.elements()) {
      locations.push_back(entry.location);
    }
    return locations;
  }

  ScratchDir scratch_;
  std::unique_ptr<System> system_ = makeHostSystem();
};

}  // namespace qk::test
