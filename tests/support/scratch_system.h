#pragma once
// The real system of the build, confined to scratch folders: relative paths
// are taken below a working folder, the profile folder is a folder of the
// test's own, and nothing is ever started. Creating files can be made to
// fail, to test the save paths.
#include <memory>
#include <string>
#include <vector>

#include "platform/system.h"

namespace qk::test {

class ScratchSystem : public System {
 public:
  // `workingFolder` and `profileFolder` are native paths (ScratchDir::path()).
  ScratchSystem(const std::string& workingFolder, const std::string& profileFolder);

  // Every createFile fails while this is set.
  bool failFileCreation = false;
  // What startProgram and shellOpen were asked to start, in order; starting
  // a program always fails, opening with the shell always succeeds.
  std::vector<std::string> startedPrograms;
  std::vector<std::string> shellOpened;

  // The working folder's path + "\" + name, the way the program names it.
  std::string inWorkingFolder(const std::string& name) const;

  std::unique_ptr<ReadableFile> openForReading(const std::string& path) override;
  std::unique_ptr<WritableFile> createFile(const std::string& path) override;
  bool replaceFile(const std::string& from, const std::string& to) override;
  bool removeFile(const std::string& path) override;
  bool fileExists(const std::string& path) override;
  bool lastWriteTime(const std::string& path, LocalTime& out) override;
  std::string currentDirectory() override;
  std::string profileFolder() override;
  std::string hostName() override;
  bool startProgram(const std::string& commandLine) override;
  bool shellOpen(const std::string& file, const std::string& directory) override;

 private:
  std::string resolve(const std::string& path) const;
  std::unique_ptr<System> real_;
  std::string working_;  // with backslashes
  std::string profile_;
};

}  // namespace qk::test
