#include "sources/file_types.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace qk {
namespace {

TEST(LowerCaseAnsi, RaisesOnlyAsciiCapitalsAndTheLatinCapitalRange) {
  EXPECT_EQ(lowerCaseAnsi("AZaz@[`{09"), "azaz@[`{09");
  EXPECT_EQ(lowerCaseAnsi("\xC0\xC4\xD6\xDC\xDE"), "\xE0\xE4\xF6\xFC\xFE");
  EXPECT_EQ(lowerCaseAnsi("\xBF\xDF\xE4\xFF"), "\xBF\xDF\xE4\xFF");
}

TEST(ClassifyByExtension, FollowsTheTableAfterLowerCasing) {
  const std::vector<std::pair<std::string, TypeCode>> cases = {
      {"C:\\Quellen\\Haupt.PB", 1},
      {"C:\\Quellen\\Haupt.pbi", 2},
      {"C:\\x\\a.cpp", 3},
      {"C:\\x\\a.HPP", 4},
      {"C:\\x\\a.c", 5},
      {"C:\\x\\a.h", 6},
      {"C:\\x\\a.pas", 7},
      {"D:\\x\\Modul.PHP4", 8},
      {"D:\\x\\lib.Jar", 9},
      {"D:\\x\\Lib.java", 9},
      {"D:\\x\\seite.htm", 10},
      {"D:\\x\\start.bat", 11},
      {"D:\\x\\notiz.txt", 12},
      {"D:\\x\\notiz.TEXT", 12},
      {"D:\\x\\setup.INI", 13},
      {"D:\\x\\stil.css", 14},
      {"D:\\x\\skript.pyt", 15},
      {"D:\\x\\seite.tpl", 16},
      {"D:\\x\\start.lua", 17},
      {"D:\\x\\Makefile", 0},
      {"D:\\x\\archiv.tar.gz", 0},
      {"D:\\projekt.alt\\liesmich", 0},
      {"D:\\x\\datei.cc", 0},
      {"D:\\x\\datei.cxx", 0},
      {"D:\\x\\datei.hh", 0},
      {"D:\\x\\datei.", 0},
      {"D:\\x\\datei.\xC4", 0},
      {"D:\\x\\x.abc", 0},
  };
  for (const auto& [path, code] : cases) EXPECT_EQ(classifyByExtension(path), code) << path;
}

TEST(TypeDisplayName, NamesTheKnownCodesAndFallsBackForAllOthers) {
  const std::vector<std::pair<TypeCode, std::string>> cases = {
      {1, "PureBasic Quellcode"},
      {10, "HTML Dokument"},
      {11, "BAT Datei"},
      {12, "Textdateien"},
      {13, "Konfigurations Datei"},
      {14, "Stylesheet"},
      {16, "Template Datei"},
      {17, "LUA Skript"},
      {0, "Unbekannter Dateientyp"},
      {-1, "Unbekannter Dateientyp"},
      {18, "Unbekannter Dateientyp"},
      {1000, "Unbekannter Dateientyp"},
  };
  for (const auto& [code, name] : cases) EXPECT_EQ(typeDisplayName(code), name) << code;
}

const std::string kStandardFilter =
    std::string("PureBasic Quellcode|*.pb|PureBasic Include Datei|*.pbi|") +
    "C++ Quellcode|*.cpp;*.c|C++ Include Datei|*.hpp;*.h|" +
    "C Quellcode|*.c|C Include Datei|*.h|" +
    "PASCAL Quellcode|*.pas|PHP Quellcode|*.php;*.php3;*.php4;*.php5|" +
    "Java Quellcode|*.jar;*.java;*.jav|HTML Quellcode|*.html;*.htm|" +
    "BAT Dateien|*.bat|Textdateien|*.txt;*.text;*|Konfigurations Datein|*.cfg;*.ini|" +
    "Stylesheet Datei|*.css|Python Quellcode|*.py;*.pyt|Template Dateien|*.tpl|" +
    "LUA Skript|*.lua|Undefinierte Datei|*.*";

// The NUL-separated pieces of a dialog filter, up to its double NUL.
std::vector<std::string> dialogPieces(const std::string& dialogFilter) {
  std::vector<std::string> pieces;
  size_t start = 0;
  while (start < dialogFilter.size() && dialogFilter[start] != '\0') {
    const size_t end = dialogFilter.find('\0', start);
    pieces.push_back(dialogFilter.substr(start, end - start));
    start = end + 1;
  }
  return pieces;
}

TEST(BuildOpenFilter, ListsTheEighteenPairsThenTheUserPatternUnchanged) {
  EXPECT_EQ(buildOpenFilter(""), kStandardFilter);
  EXPECT_EQ(buildOpenFilter("|Eigene|*.abc"), kStandardFilter + "|Eigene|*.abc");
  EXPECT_EQ(buildOpenFilter("Eigene|*.abc"), kStandardFilter + "Eigene|*.abc");
}

TEST(ToDialogFilter, ReplacesBarsByNulAndEndsWithTwoNuls) {
  EXPECT_EQ(toDialogFilter("a|b;c|d|e"), std::string("a\0b;c\0d\0e\0\0", 11));

  const std::vector<std::string> standard = dialogPieces(toDialogFilter(buildOpenFilter("")));
  ASSERT_EQ(standard.size(), 36u);
  EXPECT_EQ(standard[0], "PureBasic Quellcode");
  EXPECT_EQ(standard[34], "Undefinierte Datei");
  EXPECT_EQ(standard[35], "*.*");

  const std::vector<std::string> added =
      dialogPieces(toDialogFilter(buildOpenFilter("|Eigene|*.abc")));
  ASSERT_EQ(added.size(), 38u);
  EXPECT_EQ(added[36], "Eigene");
  EXPECT_EQ(added[37], "*.abc");

  const std::vector<std::string> unbarred =
      dialogPieces(toDialogFilter(buildOpenFilter("Eigene|*.abc")));
  ASSERT_EQ(unbarred.size(), 37u);
  EXPECT_EQ(std::vector<std::string>(unbarred.begin(), unbarred.begin() + 34),
            std::vector<std::string>(standard.begin(), standard.begin() + 34));
  EXPECT_EQ(unbarred[35], "*.*Eigene");
  EXPECT_EQ(unbarred[36], "*.abc");
}

}  // namespace
}  // namespace qk
