#include "cli/host_text.h"

#include "cli/cli_paths.h"
#include "cli/text_encoding.h"

namespace qk {

namespace {

#ifndef _WIN32
std::string hostToAnsi(const std::string& text) {
  std::string ansi;
  return utf8ToAnsi(text, ansi) ? ansi : text;
}

// Converts every path between the code page and the host's UTF-8.
class Utf8HostSystem : public System {
 public:
  explicit Utf8HostSystem(std::unique_ptr<System> host) : host_(std::move(host)) {}

  std::unique_ptr<ReadableFile> openForReading(const std::string& path) override {
    return host_->openForReading(ansiToUtf8(path));
  }
  std::unique_ptr<WritableFile> createFile(const std::string& path) override {
    return host_->createFile(ansiToUtf8(path));
  }
  bool replaceFile(const std::string& from, const std::string& to) override {
    return host_->replaceFile(ansiToUtf8(from), ansiToUtf8(to));
  }
  bool removeFile(const std::string& path) override { return host_->removeFile(ansiToUtf8(path)); }
  bool fileExists(const std::string& path) override { return host_->fileExists(ansiToUtf8(path)); }
  bool lastWriteTime(const std::string& path, LocalTime& out) override {
    return host_->lastWriteTime(ansiToUtf8(path), out);
  }
  std::string currentDirectory() override { return hostToAnsi(host_->currentDirectory()); }
  std::string profileFolder() override { return hostToAnsi(host_->profileFolder()); }
  std::string hostName() override { return hostToAnsi(host_->hostName()); }
  bool startProgram(const std::string& commandLine) override {
    return host_->startProgram(ansiToUtf8(commandLine));
  }
  bool shellOpen(const std::string& file, const std::string& directory) override {
    return host_->shellOpen(ansiToUtf8(file), ansiToUtf8(directory));
  }

 private:
  std::unique_ptr<System> host_;
};
#endif

}  // namespace

#ifdef _WIN32
std::string argumentToAnsi(const std::string& argument) { return argument; }
std::string ansiForTerminal(const std::string& text) { return text; }
std::unique_ptr<System> makeHostSystem() { return makeSystem(); }
std::filesystem::path hostPath(const std::string& ansiPath) {
  return std::filesystem::u8path(ansiToUtf8(ansiPath));
}
#else
std::string argumentToAnsi(const std::string& argument) { return hostToAnsi(argument); }
std::string ansiForTerminal(const std::string& text) { return ansiToUtf8(text); }
std::unique_ptr<System> makeHostSystem() { return std::make_unique<Utf8HostSystem>(makeSystem()); }
std::filesystem::path hostPath(const std::string& ansiPath) {
  std::string path = ansiToUtf8(ansiPath);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return std::filesystem::path(path);
}
#endif

// The standard library gives UTF-8 for a path on both hosts (from the wide
// name on Windows, the name's bytes natively).
bool ansiPathOf(const std::filesystem::path& path, std::string& ansiPath) {
  if (!utf8ToAnsi(path.u8string(), ansiPath)) return false;
  ansiPath = withBackslashes(ansiPath);
  return true;
}

}  // namespace qk
