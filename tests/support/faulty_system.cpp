#include "support/faulty_system.h"

#include <algorithm>
#include <utility>

namespace qk::test {

namespace {

class FaultyReadableFile : public ReadableFile {
 public:
  FaultyReadableFile(FaultySystem& system, std::unique_ptr<ReadableFile> real, std::string path)
      : system_(system), real_(std::move(real)), path_(std::move(path)) {}

  long read(char* buffer, size_t size) override {
    if (!system_.allow(FileOperation::Read, path_)) return -1;
    return real_->read(buffer, size);
  }

 private:
  FaultySystem& system_;
  std::unique_ptr<ReadableFile> real_;
  std::string path_;
};

class FaultyWritableFile : public WritableFile {
 public:
  FaultyWritableFile(FaultySystem& system, std::unique_ptr<WritableFile> real, std::string path)
      : system_(system), real_(std::move(real)), path_(std::move(path)) {}

  bool write(const char* data, size_t size) override {
    if (!system_.allow(FileOperation::Write, path_)) return false;
    const size_t fits = system_.takeDiskSpace(size);
    if (fits > 0 && !real_->write(data, fits)) return false;
    return fits == size;
  }

  bool flush() override {
    if (!system_.allow(FileOperation::Flush, path_)) return false;
    return real_->flush();
  }

  bool close() override {
    const bool allowed = system_.allow(FileOperation::Close, path_);
    return real_->close() && allowed;
  }

 private:
  FaultySystem& system_;
  std::unique_ptr<WritableFile> real_;
  std::string path_;
};

}  // namespace

const char* fileOperationName(FileOperation operation) {
  switch (operation) {
    case FileOperation::OpenForReading:
      return "openForReading";
    case FileOperation::Read:
      return "read";
    case FileOperation::CreateFile:
      return "createFile";
    case FileOperation::Write:
      return "write";
    case FileOperation::Flush:
      return "flush";
    case FileOperation::Close:
      return "close";
    case FileOperation::ReplaceFile:
      return "replaceFile";
    case FileOperation::RemoveFile:
      return "removeFile";
  }
  return "?";
}

void FaultySystem::failOperation(int k) {
  log_.clear();
  failAt_ = k;
}

void FaultySystem::failEvery(FileOperation operation) { failingKinds_.push_back(operation); }

void FaultySystem::limitDiskSpace(size_t bytes) {
  diskLimited_ = true;
  diskSpace_ = bytes;
}

void FaultySystem::reset() {
  failAt_ = 0;
  failingKinds_.clear();
  diskLimited_ = false;
  diskSpace_ = 0;
  log_.clear();
}

std::string FaultySystem::logText() const {
  std::string text;
  for (const std::string& line : log_) text += line + "\n";
  return text;
}

bool FaultySystem::allow(FileOperation operation, const std::string& path) {
  const bool fails =
      static_cast<int>(log_.size()) + 1 == failAt_ ||
      std::find(failingKinds_.begin(), failingKinds_.end(), operation) != failingKinds_.end();
  log_.push_back((fails ? "!" : "") + std::string(fileOperationName(operation)) + " " + path);
  return !fails;
}

size_t FaultySystem::takeDiskSpace(size_t size) {
  if (!diskLimited_) return size;
  const size_t fits = std::min(size, diskSpace_);
  diskSpace_ -= fits;
  return fits;
}

std::unique_ptr<ReadableFile> FaultySystem::openForReading(const std::string& path) {
  if (!allow(FileOperation::OpenForReading, path)) return nullptr;
  std::unique_ptr<ReadableFile> real = real_.openForReading(path);
  if (!real) return nullptr;
  return std::make_unique<FaultyReadableFile>(*this, std::move(real), path);
}

std::unique_ptr<WritableFile> FaultySystem::createFile(const std::string& path) {
  if (!allow(FileOperation::CreateFile, path)) return nullptr;
  std::unique_ptr<WritableFile> real = real_.createFile(path);
  if (!real) return nullptr;
  return std::make_unique<FaultyWritableFile>(*this, std::move(real), path);
}

bool FaultySystem::replaceFile(const std::string& from, const std::string& to) {
  if (!allow(FileOperation::ReplaceFile, from + " -> " + to)) return false;
  return real_.replaceFile(from, to);
}

bool FaultySystem::removeFile(const std::string& path) {
  if (!allow(FileOperation::RemoveFile, path)) return false;
  return real_.removeFile(path);
}

}  // namespace qk::test
