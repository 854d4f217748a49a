#include "sources/file_types.h"

#include <array>

#include "sources/catalog_paths.h"

namespace qk {

namespace {

// One recognised kind of source file. Display name and filter label are kept
// apart because they differ for several kinds.
struct FileType {
  TypeCode code;
  std::array<const char*, 4> extensions;  // lower case, unused slots nullptr
  const char* displayName;
  const char* filterLabel;
  const char* filterPatterns;
};

constexpr std::array<FileType, 17> kFileTypes = {{
    {1, {"pb"}, "PureBasic Quellcode", "PureBasic Quellcode", "*.pb"},
    {2, {"pbi"}, "PureBasic Include Datei", "PureBasic Include Datei", "*.pbi"},
    {3, {"cpp"}, "C++ Quellcode", "C++ Quellcode", "*.cpp;*.c"},
    {4, {"hpp"}, "C++ Include Datei", "C++ Include Datei", "*.hpp;*.h"},
    {5, {"c"}, "C Quellcode", "C Quellcode", "*.c"},
    {6, {"h"}, "C Include Datei", "C Include Datei", "*.h"},
    {7, {"pas"}, "PASCAL Quellcode", "PASCAL Quellcode", "*.pas"},
    {8,
     {"php", "php3", "php4", "php5"},
     "PHP Quellcode",
     "PHP Quellcode",
     "*.php;*.php3;*.php4;*.php5"},
    {9, {"jar", "java", "jav"}, "Java Quellcode", "Java Quellcode", "*.jar;*.java;*.jav"},
    {10, {"html", "htm"}, "HTML Dokument", "HTML Quellcode", "*.html;*.htm"},
    {11, {"bat"}, "BAT Datei", "BAT Dateien", "*.bat"},
    {12, {"txt", "text"}, "Textdateien", "Textdateien", "*.txt;*.text;*"},
    {13, {"cfg", "ini"}, "Konfigurations Datei", "Konfigurations Datein", "*.cfg;*.ini"},
    {14, {"css"}, "Stylesheet", "Stylesheet Datei", "*.css"},
    {15, {"py", "pyt"}, "Python Quellcode", "Python Quellcode", "*.py;*.pyt"},
    {16, {"tpl"}, "Template Datei", "Template Dateien", "*.tpl"},
    {17, {"lua"}, "LUA Skript", "LUA Skript", "*.lua"},
}};

constexpr TypeCode kUnknownType = 0;
constexpr char kUnknownDisplayName[] = "Unbekannter Dateientyp";
constexpr char kCatchAllFilter[] = "Undefinierte Datei|*.*";

bool listsExtension(const FileType& type, const std::string& extension) {
  for (const char* listed : type.extensions) {
    if (listed != nullptr && extension == listed) return true;
  }
  return false;
}

}  // namespace

std::string lowerCaseAnsi(const std::string& text) {
  std::string lower = text;
  for (char& c : lower) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE)) {
      c = static_cast<char>(byte + 0x20);
    }
  }
  return lower;
}

TypeCode classifyByExtension(const std::string& fullPath) {
  const std::string extension = lowerCaseAnsi(extensionPart(fullPath));
  for (const FileType& type : kFileTypes) {
    if (listsExtension(type, extension)) return type.code;
  }
  return kUnknownType;
}

std::string typeDisplayName(TypeCode code) {
  for (const FileType& type : kFileTypes) {
    if (type.code == code) return type.displayName;
  }
  return kUnknownDisplayName;
}

std::string buildOpenFilter(const std::string& opt_addpattern) {
  std::string filter;
  for (const FileType& type : kFileTypes) {
    filter += type.filterLabel;
    filter += '|';
    filter += type.filterPatterns;
    filter += '|';
  }
  filter += kCatchAllFilter;
  filter += opt_addpattern;
  return filter;
}

std::string toDialogFilter(const std::string& openFilter) {
  std::string dialogFilter = openFilter;
  for (char& c : dialogFilter) {
    if (c == '|') c = '\0';
  }
  dialogFilter.append(2, '\0');
  return dialogFilter;
}

}  // namespace qk
