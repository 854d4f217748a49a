// The line counter on arbitrary file contents, against the plain rule: every
// CR, LF or NUL ends a line, an LF right after a CR belongs to it, and a last
// line without a terminator counts.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

std::string scratchFile() {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir ? dir : "/tmp") + "/qk-fuzz-lines-" + std::to_string(getpid());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static std::unique_ptr<qk::System> system = qk::makeSystem();
  static const std::string path = scratchFile();
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) std::abort();
  if (size != 0 && std::fwrite(data, 1, size, file) != size) std::abort();
  std::fclose(file);
  if (qk::countLines(*system, path) != referenceCount(data, size)) std::abort();
  return 0;
}
