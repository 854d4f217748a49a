// System for native builds. Paths arrive in Windows form; every backslash is
// taken as '/', and the paths reported back use backslashes, so the program's
// location rules see the same shapes as on Windows.
//
// What POSIX cannot express is left out rather than imitated: files have no
// share modes here, so a file another process writes can still be opened for
// reading, and there is no shell association to open a document with.
#include <errno.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/system.h"

extern char** environ;

namespace qk {
namespace {

constexpr size_t kMaxPathChars = 259;  // what fits a 260-character buffer with its NUL

std::string toPosix(std::string path) {
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

std::string toWindows(std::string path) {
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

class PosixReadableFile : public ReadableFile {
 public:
  explicit PosixReadableFile(int fd) : fd_(fd) {}
  ~PosixReadableFile() override { ::close(fd_); }
  long read(char* buffer, size_t size) override {
    for (;;) {
      ssize_t got = ::read(fd_, buffer, size);
      if (got >= 0) return static_cast<long>(got);
      if (errno != EINTR) return -1;
    }
  }

 private:
  int fd_;
};

class PosixWritableFile : public WritableFile {
 public:
  explicit PosixWritableFile(int fd) : fd_(fd) {}
  ~PosixWritableFile() override {
    if (fd_ >= 0) ::close(fd_);
  }
  bool write(const char* data, size_t size) override {
    if (fd_ < 0) return false;
    while (size > 0) {
      ssize_t put = ::write(fd_, data, size);
      if (put < 0 && errno == EINTR) continue;
      if (put <= 0) return false;
      data += put;
      size -= static_cast<size_t>(put);
    }
    return true;
  }
  bool flush() override { return fd_ >= 0 && ::fsync(fd_) == 0; }
  // The file was truncated when it was created and is only ever appended to,
  // so the current position already is its end.
  bool close() override {
    if (fd_ < 0) return false;
    int result = ::close(fd_);
    fd_ = -1;
    return result == 0;
  }

 private:
  int fd_;
};

std::string unquoted(const std::string& commandLine) {
  if (commandLine.size() >= 2 && commandLine.front() == '"' && commandLine.back() == '"') {
    return commandLine.substr(1, commandLine.size() - 2);
  }
  return commandLine;
}

class PosixSystem : public System {
 public:
  std::unique_ptr<ReadableFile> openForReading(const std::string& path) override {
    int fd = ::open(toPosix(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat info;
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
      ::close(fd);
      return nullptr;
    }
    return std::make_unique<PosixReadableFile>(fd);
  }

  std::unique_ptr<WritableFile> createFile(const std::string& path) override {
    int fd = ::open(toPosix(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    return std::make_unique<PosixWritableFile>(fd);
  }

  bool replaceFile(const std::string& from, const std::string& to) override {
    return ::rename(toPosix(from).c_str(), toPosix(to).c_str()) == 0;
  }

  bool removeFile(const std::string& path) override {
    return ::unlink(toPosix(path).c_str()) == 0;
  }

  bool fileExists(const std::string& path) override {
    struct stat info;
    return ::stat(toPosix(path).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
  }

  bool lastWriteTime(const std::string& path, LocalTime& out) override {
    struct stat info;
    if (::stat(toPosix(path).c_str(), &info) != 0) return false;
    struct tm fields;
    if (::localtime_r(&info.st_mtime, &fields) == nullptr) return false;
    out.year = fields.tm_year + 1900;
    out.month = fields.tm_mon + 1;
    out.day = fields.tm_mday;
    out.hour = fields.tm_hour;
    out.minute = fields.tm_min;
    out.second = fields.tm_sec;
    return true;
  }

  std::string currentDirectory() override {
    char buffer[4096];
    if (::getcwd(buffer, sizeof buffer) == nullptr) return {};
    std::string path = buffer;
    if (path.size() > kMaxPathChars) return {};
    return toWindows(path);
  }

  std::string profileFolder() override {
    const char* home = std::getenv("HOME");
    return home ? toWindows(home) : std::string();
  }

  std::string hostName() override {
    char buffer[1024];
    if (::gethostname(buffer, sizeof buffer) != 0) return {};
    buffer[sizeof buffer - 1] = '\0';
    return buffer;
  }

  // Starts the program named by the command line (one path, quoted or not)
  // without arguments. The child is not waited for.
  bool startProgram(const std::string& commandLine) override {
    std::string program = toPosix(unquoted(commandLine));
    char* argv[] = {program.data(), nullptr};
    pid_t child;
    return ::posix_spawn(&child, program.c_str(), nullptr, nullptr, argv, environ) == 0;
  }

  // There is no shell association natively, so nothing can be opened.
  bool shellOpen(const std::string&, const std::string&) override { return false; }
};

}  // namespace

std::unique_ptr<System> makeSystem() { return std::make_unique<PosixSystem>(); }

}  // namespace qk
