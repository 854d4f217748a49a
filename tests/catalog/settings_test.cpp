#include "catalog/settings.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

#include "support/faulty_system.h"
#include "support/test_files.h"

namespace qk {
namespace {

using test::FaultySystem;
using test::ScratchDir;

// The real file system with a chosen host name and profile folder.
class FixedMachine : public FaultySystem {
 public:
  FixedMachine(System& real, std::string host, std::string profile)
      : FaultySystem(real), host_(std::move(host)), profile_(std::move(profile)) {}
  std::string hostName() override { return host_; }
  std::string profileFolder() override { return profile_; }

 private:
  std::string host_;
  std::string profile_;
};

const char kDefaultFile[] =
    "opt_ungroupnode = 0\r\n"
    "opt_stdgruppe = -1\r\n"
    "opt_stdautor = WERKSTATT-PC\r\n"
    "opt_treeexpand = 0\r\n"
    "opt_stdtab = 1\r\n"
    "opt_addpattern = \r\n";

Options defaultsFor(const std::string& host) {
  std::unique_ptr<System> real = makeSystem();
  FixedMachine machine(*real, host, "");
  return defaultOptions(machine);
}

// The options as the six lines they are written as, for comparisons.
std::string shown(const Options& options) { return formatSettingsText(options); }

TEST(Settings, DefaultsAreWrittenAsExactlySixLines) {
  const Options defaults = defaultsFor("WERKSTATT-PC");
  EXPECT_EQ(defaults.opt_stdautor, "WERKSTATT-PC");
  EXPECT_EQ(formatSettingsText(defaults), kDefaultFile);
  EXPECT_EQ(defaultsFor("").opt_stdautor, "");
}

TEST(Settings, FilePathIsInTheProfileFolder) {
  std::unique_ptr<System> real = makeSystem();
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\users\\max", "C:\\users\\max\\Quellkiste.ini"},
      {"C:\\", "C:\\Quellkiste.ini"},
      {"", "Quellkiste.ini"},
  };
  for (const auto& [profile, expected] : cases) {
    FixedMachine machine(*real, "host", profile);
    EXPECT_EQ(settingsFilePath(machine), expected);
  }
}

TEST(Settings, LinesAreReadByTheirRules) {
  struct Case {
    const char* what;
    std::string text;
    const char* changedLine;  // the line of formatSettingsText that differs, or "" for none
  };
  const Case cases[] = {
      {"empty file", "", ""},
      {"upper-case key without blanks", "OPT_STDTAB=2", "opt_stdtab = 2"},
      {"not a number", "opt_stdtab = zwei", "opt_stdtab = 0"},
      {"8 bits kept of 258", "opt_stdtab = 258", "opt_stdtab = 2"},
      {"8 bits kept of 255", "opt_ungroupnode = 255", "opt_ungroupnode = -1"},
      {"leading zeros and sign", "opt_treeexpand = -0003", "opt_treeexpand = -3"},
      {"digits end at the first other byte", "opt_stdgruppe = 12abc", "opt_stdgruppe = 12"},
      {"empty number", "opt_stdgruppe = ", "opt_stdgruppe = 0"},
      {"32-bit number", "opt_stdgruppe=-70000", "opt_stdgruppe = -70000"},
      {"too large a number is held at the limit", "opt_stdgruppe = 99999999999",
       "opt_stdgruppe = 2147483647"},
      {"first line wins", "opt_stdtab = 2\r\nopt_stdtab = 0", "opt_stdtab = 2"},
      {"keys below a section are not found", "[Einstellungen]\r\nopt_stdtab = 2", ""},
      {"keys above a section are found", "opt_stdtab = 0\n[x]\nopt_stdtab = 2", "opt_stdtab = 0"},
      {"comment", "; opt_stdtab = 2\r\n  ;opt_stdtab=2", ""},
      {"blank lines and lone CRs", "\r\r\n\n  opt_stdtab = 2\r", "opt_stdtab = 2"},
      {"blanks and tabs around key and text", " \topt_stdautor \t=   Max Muster \t ",
       "opt_stdautor = Max Muster"},
      {"further equals signs belong to the value", "opt_addpattern = |Eigene|*.abc=x",
       "opt_addpattern = |Eigene|*.abc=x"},
      {"empty text", "opt_stdautor =", "opt_stdautor = "},
      {"line without equals sign is ignored", "opt_stdtab\r\nopt_stdtab = 2", "opt_stdtab = 2"},
      {"umlaut in ANSI", "opt_stdautor = M\xFCller", "opt_stdautor = M\xFCller"},
      {"UTF-8 with mark", "\xEF\xBB\xBFopt_stdautor = M\xC3\xBCller", "opt_stdautor = M\xFCller"},
      {"UTF-8 ends before a character above 255",
       "\xEF\xBB\xBFopt_stdautor = ab\xE2\x82\xAC"
       "cd",
       "opt_stdautor = ab"},
      {"UTF-8 value cut before a character above 255 loses the blank before it",
       "\xEF\xBB\xBFopt_stdautor = ab \xE2\x82\xAC", "opt_stdautor = ab"},
      {"UTF-8 ends before a byte that cannot begin a character",
       "\xEF\xBB\xBFopt_stdautor = ab\xBF"
       "cd",
       "opt_stdautor = ab"},
      {"UTF-8 malformed continuation empties the value", "\xEF\xBB\xBFopt_stdautor = ab\xC3(cd",
       "opt_stdautor = "},
      {"UTF-8 sequence cut by the line end empties the value", "\xEF\xBB\xBFopt_stdautor = ab\xC3",
       "opt_stdautor = "},
      {"UTF-8 keys and numbers", "\xEF\xBB\xBFopt_stdtab = 2", "opt_stdtab = 2"},
      {"no mark: UTF-8 bytes kept as they are", "opt_stdautor = M\xC3\xBCller",
       "opt_stdautor = M\xC3\xBCller"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Options options = defaultsFor("WERKSTATT-PC");
    applySettingsText(c.text, options);
    std::string expected = kDefaultFile;
    if (*c.changedLine) {
      const std::string key =
          std::string(c.changedLine).substr(0, std::string(c.changedLine).find(' '));
      const size_t start = expected.find(key + " = ");
      expected.replace(start, expected.find("\r\n", start) - start, c.changedLine);
    }
    EXPECT_EQ(shown(options), expected);
  }
}

TEST(Settings, SavedFileLoadsBackAndReplacesWhateverWasThere) {
  ScratchDir dir;
  std::unique_ptr<System> real = makeSystem();
  FixedMachine machine(*real, "WERKSTATT-PC", dir.path());
  // The test helpers take native paths; the program's path uses a backslash.
  const std::string path = dir.file("Quellkiste.ini");
  test::writeBytes(path, "\xEF\xBB\xBF; alt\r\n[Abschnitt]\r\nanderer = 1\r\n");

  Options options = defaultOptions(machine);
  options.opt_ungroupnode = 1;
  options.opt_stdgruppe = 4;
  options.opt_stdautor = "M\xFCller";
  options.opt_treeexpand = 1;
  options.opt_stdtab = 2;
  options.opt_addpattern = "|Eigene|*.abc";
  saveSettings(machine, options, kSettingsPathToken);
  EXPECT_EQ(test::readBytes(path), formatSettingsText(options));

  Options loaded = defaultOptions(machine);
  loadSettings(machine, loaded, kSettingsPathToken);
  EXPECT_EQ(shown(loaded), shown(options));
}

TEST(Settings, MissingFileKeepsTheValuesInMemory) {
  ScratchDir dir;
  std::unique_ptr<System> real = makeSystem();
  Options options = defaultsFor("WERKSTATT-PC");
  options.opt_stdtab = 0;
  const std::string before = shown(options);
  loadSettings(*real, options, dir.file("Quellkiste.ini"));
  EXPECT_EQ(shown(options), before);
}

TEST(Settings, FileThatCannotBeReplacedIsReadAndLeftUntouched) {
  ScratchDir dir;
  std::unique_ptr<System> real = makeSystem();
  FaultySystem readOnly(*real);
  readOnly.failEvery(test::FileOperation::CreateFile);
  const std::string path = dir.file("Quellkiste.ini");
  const std::string content = "; von Hand\r\nopt_stdtab = 2\r\n";
  test::writeBytes(path, content);

  Options options = defaultsFor("WERKSTATT-PC");
  loadSettings(readOnly, options, path);
  EXPECT_EQ(options.opt_stdtab, 2);
  options.opt_stdtab = 0;
  saveSettings(readOnly, options, path);
  EXPECT_EQ(test::readBytes(path), content);
  EXPECT_EQ(readOnly.log().back(), "!createFile " + path);
}

}  // namespace
}  // namespace qk
