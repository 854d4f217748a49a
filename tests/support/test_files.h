#pragma once
// Scratch folders and files for tests, natively and under Wine.
#include <string>

namespace qk::test {

// A fresh, empty folder under the system's temporary folder, removed with its
// content when the object is destroyed.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  // The folder's path in the native form of the build (ends without a
  // separator).
  const std::string& path() const { return path_; }
  // path() + separator + name.
  std::string file(const std::string& name) const;

 private:
  std::string path_;
};

// Writes bytes to a file, replacing it. Fails the current test on error.
void writeBytes(const std::string& path, const std::string& bytes);
// The bytes of a file; empty when it cannot be read.
std::string readBytes(const std::string& path);
bool exists(const std::string& path);

}  // namespace qk::test
