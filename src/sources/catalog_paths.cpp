#include "sources/catalog_paths.h"

#include <vector>

namespace qk {

namespace {

constexpr char kBackslash = '\\';
constexpr char kHere[] = ".\\";
constexpr char kUp[] = "..\\";
// A network path begins with two empty segments, then the server and the
// share. ".." never climbs above a share, so a relative location between two
// network paths must have all four in common.
constexpr size_t kNetworkRootSegments = 4;

bool endsWith(const std::string& text, char c) { return !text.empty() && text.back() == c; }

bool startsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

bool isNetworkPath(const std::string& path) { return startsWith(path, "\\\\"); }

bool isSeparator(char c) { return c == '\\' || c == '/'; }

std::vector<std::string> splitSegments(const std::string& path) {
  std::vector<std::string> segments;
  size_t start = 0;
  for (;;) {
    const size_t end = path.find(kBackslash, start);
    if (end == std::string::npos) {
      segments.push_back(path.substr(start));
      return segments;
    }
    segments.push_back(path.substr(start, end - start));
    start = end + 1;
  }
}

size_t countCommonSegments(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  size_t k = 0;
  while (k < a.size() && k < b.size() && a[k] == b[k]) ++k;
  return k;
}

// The part of the path after its first k segments and the backslash that
// follows them.
std::string afterSegments(const std::string& path, size_t k) {
  size_t position = 0;
  for (size_t i = 0; i < k; ++i) {
    const size_t end = path.find(kBackslash, position);
    if (end == std::string::npos) return std::string();
    position = end + 1;
  }
  return path.substr(position);
}

// Base segments after the first k that come before the first empty one.
size_t levelsUp(const std::vector<std::string>& baseSegments, size_t k) {
  size_t up = 0;
  for (size_t i = k; i < baseSegments.size() && !baseSegments[i].empty(); ++i) ++up;
  return up;
}

size_t lastSeparator(const std::string& path) {
  for (size_t i = path.size(); i > 0; --i) {
    if (isSeparator(path[i - 1])) return i - 1;
  }
  return std::string::npos;
}

std::string quotedCommandLine(const std::string& path) {
  if (startsWith(path, "\"")) return path;
  return "\"" + path + "\"";
}

// The path up to and including its last backslash; empty when there is no
// backslash after the first character.
std::string shellDirectory(const std::string& path) {
  const size_t last = path.rfind(kBackslash);
  if (last == std::string::npos || last == 0) return std::string();
  return path.substr(0, last + 1);
}

}  // namespace

std::string readBaseDirectory(System& system) {
  std::string directory = system.currentDirectory();
  if (!directory.empty() && !endsWith(directory, kBackslash)) directory += kBackslash;
  return directory;
}

std::string makeRelativeLocation(const std::string& baseDirectory, const std::string& fullPath) {
  if (baseDirectory.empty()) return fullPath;
  std::string base = baseDirectory;
  if (!endsWith(base, kBackslash)) base += kBackslash;

  const std::vector<std::string> baseSegments = splitSegments(base);
  const size_t k = countCommonSegments(baseSegments, splitSegments(fullPath));
  if (k == 0) return fullPath;
  if (isNetworkPath(fullPath) && k < kNetworkRootSegments) return fullPath;

  const std::string rest = afterSegments(fullPath, k);
  const size_t up = levelsUp(baseSegments, k);
  if (up == 0) return kHere + rest;
  std::string location;
  for (size_t i = 0; i < up; ++i) location += kUp;
  return location + rest;
}

std::string resolveLocation(const std::string& baseDirectory, const std::string& location) {
  if (startsWith(location, kHere)) return baseDirectory + location.substr(2);
  if (startsWith(location, kUp)) return baseDirectory + location;
  return location;
}

void openEntryFile(System& system, Catalog& catalog, int32_t entryIndex) {
  if (entryIndex == -1 || !findEntry(catalog, entryIndex)) return;
  const std::string path =
      resolveLocation(catalog.baseDirectory, catalog.entries.currentElement()->location);
  if (system.startProgram(quotedCommandLine(path))) return;
  system.shellOpen(path, shellDirectory(path));
}

std::string filePart(const std::string& path) {
  const size_t last = lastSeparator(path);
  return last == std::string::npos ? path : path.substr(last + 1);
}

std::string folderPart(const std::string& path) {
  const size_t last = lastSeparator(path);
  return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string extensionPart(const std::string& path) {
  const std::string file = filePart(path);
  const size_t dot = file.rfind('.');
  return dot == std::string::npos ? std::string() : file.substr(dot + 1);
}

}  // namespace qk
