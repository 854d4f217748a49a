// The line counter on arbitrary file contents, against the plain rule: every
// CR, LF or NUL ends a line, an LF right after a CR belongs to it, and a last
// line without a terminator counts.
//
// The file is served from memory, so no input costs a file on the disk. The
// first input byte chooses how many bytes each read returns (short reads are
// allowed for any file), so that CR LF pairs and terminators fall on every
// kind of read boundary; the rest of the input is the file.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "platform/system.h"
#include "sources/file_facts.h"

namespace {

int32_t referenceCount(const uint8_t* data, size_t size) {
  int32_t lines = 0;
  size_t i = 0;
  while (i < size) {
    ++lines;
    while (i < size && data[i] != '\r' && data[i] != '\n' && data[i] != 0) ++i;
    if (i < size) {
      bool cr = data[i] == '\r';
      ++i;
      if (cr && i < size && data[i] == '\n') ++i;
    }
  }
  return lines;
}

class MemoryFile : public qk::ReadableFile {
 public:
  MemoryFile(const uint8_t* data, size_t size, size_t readSize)
      : data_(data), size_(size), readSize_(readSize) {}
  long read(char* buffer, size_t size) override {
    const size_t count = std::min({size, readSize_, size_ - position_});
    std::memcpy(buffer, data_ + position_, count);
    position_ += count;
    return static_cast<long>(count);
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t readSize_;
  size_t position_ = 0;
};

// Serves the one file in memory; nothing else exists.
class OneFileSystem : public qk::System {
 public:
  OneFileSystem(const uint8_t* data, size_t size, size_t readSize)
      : data_(data), size_(size), readSize_(readSize) {}
  std::unique_ptr<qk::ReadableFile> openForReading(const std::string&) override {
    return std::make_unique<MemoryFile>(data_, size_, readSize_);
  }
  std::unique_ptr<qk::WritableFile> createFile(const std::string&) override { return nullptr; }
  bool replaceFile(const std::string&, const std::string&) override { return false; }
  bool removeFile(const std::string&) override { return false; }
  bool fileExists(const std::string&) override { return true; }
  bool lastWriteTime(const std::string&, qk::LocalTime&) override { return false; }
  std::string currentDirectory() override { return std::string(); }
  std::string profileFolder() override { return std::string(); }
  std::string hostName() override { return std::string(); }
  bool startProgram(const std::string&) override { return false; }
  bool shellOpen(const std::string&, const std::string&) override { return false; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t readSize_;
};

// Whole 4096-byte reads for most first bytes, as a disk file gives them;
// short reads of 1 to 64 bytes for the others.
size_t readSizeFor(uint8_t choice) { return choice < 192 ? 4096 : choice - 191; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  OneFileSystem system(data + 1, size - 1, readSizeFor(data[0]));
  if (qk::countLines(system, "datei.c") != referenceCount(data + 1, size - 1)) std::abort();
  return 0;
}
