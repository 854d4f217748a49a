#include "platform/system.h"

namespace qk {

bool readWholeFile(System& system, const std::string& path, std::string& out) {
  out.clear();
  std::unique_ptr<ReadableFile> file = system.openForReading(path);
  if (!file) return false;
  char buffer[65536];
  for (;;) {
    long got = file->read(buffer, sizeof buffer);
    if (got <= 0) break;
    out.append(buffer, static_cast<size_t>(got));
  }
  return true;
}

}  // namespace qk
