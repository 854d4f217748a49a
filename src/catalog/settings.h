#pragma once
// The user's preferences and the settings file "Quellkiste.ini" in the
// profile folder.
#include <cstdint>
#include <string>

#include "platform/system.h"

namespace qk {

struct Options {
  int8_t opt_ungroupnode = 0;
  int32_t opt_stdgruppe = -1;
  std::string opt_stdautor;
  int8_t opt_treeexpand = 0;
  int8_t opt_stdtab = 1;
  std::string opt_addpattern;
};

extern const char kSettingsFileName[];  // "Quellkiste.ini"
extern const char kSettingsPathToken[];  // "::", which stands for settingsFilePath

// The defaults, with the host name as the default author.
Options defaultOptions(System& system);

// The profile folder with a backslash and "Quellkiste.ini"; just
// "Quellkiste.ini" when the folder is unknown.
std::string settingsFilePath(System& system);

// Reads the file (the name "::" stands for settingsFilePath) into `options`;
// values not found keep their current content. Silent on failure.
void loadSettings(System& system, Options& options, const std::string& fileName);
// Writes exactly the six lines. Silent on failure.
void saveSettings(System& system, const Options& options, const std::string& fileName);

// The parsing and formatting steps on bytes, for the two operations above.
void applySettingsText(const std::string& bytes, Options& options);
std::string formatSettingsText(const Options& options);

}  // namespace qk
