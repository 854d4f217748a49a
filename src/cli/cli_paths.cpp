#include "cli/cli_paths.h"

#include <vector>

namespace qk {

namespace {


bool hasDrive(const std::string& path) { return path.size() >= 2 && path[1] == ':'; }
bool isNetworkPath(const std::string& path) { return path.rfind("\\\\", 0) == 0; }

std::string driveOf(const std::string& path) { return hasDrive(path) ? path.substr(0, 2) : ""; }

std::string absolutePath(const std::string& currentDirectory, const std::string& path) {
  if (hasDrive(path) || isNetworkPath(path)) return path;
  if (!path.empty() && path[0] == '\\') return driveOf(currentDirectory) + path;
  return currentDirectory + "\\" + path;
}

// The leading part that ".." cannot climb above: "C:", "" (a root) or
// "\\server\share".
size_t rootLength(const std::string& path) {
  if (isNetworkPath(path)) {
    size_t server = path.find('\\', 2);
    if (server == std::string::npos) return path.size();
    size_t share = path.find('\\', server + 1);
    return share == std::string::npos ? path.size() : share;
  }
  return hasDrive(path) ? 2 : 0;
}

std::string normalized(const std::string& path) {
  const size_t root = rootLength(path);
  std::vector<std::string> segments;
  size_t start = root;
  while (start <= path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    std::string segment = path.substr(start, end - start);
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
    } else if (!segment.empty() && segment != ".") {
      segments.push_back(segment);
    }
    start = end + 1;
  }
  std::string result = path.substr(0, root);
  for (const std::string& segment : segments) result += "\\" + segment;
  return result.empty() || result == driveOf(path) ? result + "\\" : result;
}

}  // namespace

std::string withBackslashes(std::string path) {
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

std::string fullPathOf(const std::string& currentDirectory, const std::string& path) {
  return normalized(absolutePath(withBackslashes(currentDirectory), withBackslashes(path)));
}

std::string fullFolderOf(const std::string& currentDirectory, const std::string& path) {
  std::string folder = fullPathOf(currentDirectory, path);
  if (folder.back() != '\\') folder += '\\';
  return folder;
}

}  // namespace qk
