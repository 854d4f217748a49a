#include "support/scratch_system.h"

#include <algorithm>

namespace qk::test {

namespace {

std::string withBackslashes(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

bool isAbsolute(const std::string& path) {
  if (!path.empty() && (path[0] == '\\' || path[0] == '/')) return true;
  return path.size() >= 2 && path[1] == ':';
}

}  // namespace

ScratchSystem::ScratchSystem(const std::string& workingFolder, const std::string& profileFolder)
    : real_(makeSystem()),
      working_(withBackslashes(workingFolder)),
      profile_(withBackslashes(profileFolder)) {}

std::string ScratchSystem::inWorkingFolder(const std::string& name) const {
  return working_ + "\\" + name;
}

std::string ScratchSystem::resolve(const std::string& path) const {
  return path.empty() || isAbsolute(path) ? path : inWorkingFolder(path);
}

std::unique_ptr<ReadableFile> ScratchSystem::openForReading(const std::string& path) {
  return real_->openForReading(resolve(path));
}

std::unique_ptr<WritableFile> ScratchSystem::createFile(const std::string& path) {
  if (failFileCreation) return nullptr;
  return real_->createFile(resolve(path));
}

bool ScratchSystem::replaceFile(const std::string& from, const std::string& to) {
  return real_->replaceFile(resolve(from), resolve(to));
}

bool ScratchSystem::removeFile(const std::string& path) { return real_->removeFile(resolve(path)); }

bool ScratchSystem::fileExists(const std::string& path) { return real_->fileExists(resolve(path)); }

bool ScratchSystem::lastWriteTime(const std::string& path, LocalTime& out) {
  return real_->lastWriteTime(resolve(path), out);
}

std::string ScratchSystem::currentDirectory() { return working_; }

std::string ScratchSystem::profileFolder() { return profile_; }

std::string ScratchSystem::hostName() { return real_->hostName(); }

bool ScratchSystem::startProgram(const std::string& commandLine) {
  startedPrograms.push_back(commandLine);
  return false;
}

bool ScratchSystem::shellOpen(const std::string& file, const std::string&) {
  shellOpened.push_back(file);
  return true;
}

}  // namespace qk::test
