#pragma once
// A System for tests that passes every call on to a real System and can make
// one file operation fail, or make the disk run full.
//
// The file operations are counted in the order they happen, from 1:
// openForReading, each read, createFile, each write, flush, close,
// replaceFile and removeFile. A test runs an operation once cleanly to learn
// how many operations it takes (operationCount), then runs it again with
// failOperation(k) for k = 1 .. that count. The failing operation does
// nothing on the disk and reports failure the way the real one would
// (nullptr, -1 or false); a failing close still closes the real file, so no
// handle is left behind. Queries (fileExists, lastWriteTime, the folders, the
// host name) and starting programs are passed on and not counted.
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/system.h"

namespace qk::test {

enum class FileOperation {
  OpenForReading,
  Read,
  CreateFile,
  Write,
  Flush,
  Close,
  ReplaceFile,
  RemoveFile
};

const char* fileOperationName(FileOperation operation);

class FaultySystem : public System {
 public:
  explicit FaultySystem(System& real) : real_(real) {}

  // Makes the k-th counted operation from now fail (counting restarts at 1);
  // 0 makes none fail.
  void failOperation(int k);
  // Makes every operation of this kind fail until reset.
  void failEvery(FileOperation operation);
  // From now on writes may put only this many more bytes on the disk: a
  // write that does not fit writes the part that fits and reports failure.
  void limitDiskSpace(size_t bytes);
  // Counting from 1 again, no failure, no disk limit, log cleared.
  void reset();

  // Operations counted since the last reset or failOperation.
  int operationCount() const { return static_cast<int>(log_.size()); }
  // One line per counted operation, e.g. "write x.tmp" or "!replaceFile
  // x.tmp" for one that was made to fail.
  const std::vector<std::string>& log() const { return log_; }
  std::string logText() const;

  std::unique_ptr<ReadableFile> openForReading(const std::string& path) override;
  std::unique_ptr<WritableFile> createFile(const std::string& path) override;
  bool replaceFile(const std::string& from, const std::string& to) override;
  bool removeFile(const std::string& path) override;
  bool fileExists(const std::string& path) override { return real_.fileExists(path); }
  bool lastWriteTime(const std::string& path, LocalTime& out) override {
    return real_.lastWriteTime(path, out);
  }
  std::string currentDirectory() override { return real_.currentDirectory(); }
  std::string profileFolder() override { return real_.profileFolder(); }
  std::string hostName() override { return real_.hostName(); }
  bool startProgram(const std::string& commandLine) override {
    return real_.startProgram(commandLine);
  }
  bool shellOpen(const std::string& file, const std::string& directory) override {
    return real_.shellOpen(file, directory);
  }

  // Used by the wrapped files: counts the operation and tells whether it may
  // go ahead.
  bool allow(FileOperation operation, const std::string& path);
  // How many of `size` bytes still fit on the disk; takes them from the
  // remaining space.
  size_t takeDiskSpace(size_t size);

 private:
  System& real_;
  int failAt_ = 0;
  std::vector<FileOperation> failingKinds_;
  bool diskLimited_ = false;
  size_t diskSpace_ = 0;
  std::vector<std::string> log_;
};

}  // namespace qk::test
