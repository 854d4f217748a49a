// The real System of the build: POSIX natively, Win32 under Wine.
#include "platform/system.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>

#include "support/test_files.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <utime.h>
#endif

namespace qk {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::ScratchDir;
using test::writeBytes;

std::string withBackslashes(std::string path) {
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

bool writeFile(System& system, const std::string& path, const std::string& bytes) {
  std::unique_ptr<WritableFile> file = system.createFile(path);
  return file && file->write(bytes.data(), bytes.size()) && file->flush() && file->close();
}

// Sets a file's last-write time to a local wall-clock time.
void setLocalWriteTime(const std::string& path, const LocalTime& when) {
#ifdef _WIN32
  SYSTEMTIME fields = {};
  fields.wYear = static_cast<WORD>(when.year);
  fields.wMonth = static_cast<WORD>(when.month);
  fields.wDay = static_cast<WORD>(when.day);
  fields.wHour = static_cast<WORD>(when.hour);
  fields.wMinute = static_cast<WORD>(when.minute);
  fields.wSecond = static_cast<WORD>(when.second);
  FILETIME local, utc;
  ASSERT_TRUE(SystemTimeToFileTime(&fields, &local));
  ASSERT_TRUE(LocalFileTimeToFileTime(&local, &utc));
  HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &utc));
  CloseHandle(file);
#else
  struct tm fields = {};
  fields.tm_year = when.year - 1900;
  fields.tm_mon = when.month - 1;
  fields.tm_mday = when.day;
  fields.tm_hour = when.hour;
  fields.tm_min = when.minute;
  fields.tm_sec = when.second;
  fields.tm_isdst = -1;
  struct utimbuf times;
  times.actime = times.modtime = mktime(&fields);
  ASSERT_EQ(utime(path.c_str(), &times), 0);
#endif
}

// Restores the working directory when a test has changed it.
class KeepWorkingDirectory {
 public:
  KeepWorkingDirectory() : saved_(fs::current_path()) {}
  ~KeepWorkingDirectory() { fs::current_path(saved_); }

 private:
  fs::path saved_;
};

class SystemTest : public ::testing::Test {
 protected:
  std::unique_ptr<System> system = makeSystem();
  ScratchDir dir;
};

TEST_F(SystemTest, WrittenBytesReadBackExactly) {
  std::string bytes("ab\0\r\n\xE4\xFF", 7);
  for (int i = 0; i < 20000; ++i) bytes += static_cast<char>(i * 7);  // past one read buffer
  const std::string path = dir.file("daten.ksf");
  ASSERT_TRUE(writeFile(*system, path, bytes));
  std::string read;
  ASSERT_TRUE(readWholeFile(*system, path, read));
  EXPECT_EQ(read, bytes);
}

TEST_F(SystemTest, CreateFileTruncatesAnExistingFile) {
  const std::string path = dir.file("alt.txt");
  writeBytes(path, "a much longer old content");
  ASSERT_TRUE(writeFile(*system, path, "neu"));
  EXPECT_EQ(readBytes(path), "neu");
}

TEST_F(SystemTest, ClosedFileRefusesFurtherWork) {
  std::unique_ptr<WritableFile> file = system->createFile(dir.file("x"));
  ASSERT_TRUE(file);
  ASSERT_TRUE(file->close());
  EXPECT_FALSE(file->close());
  EXPECT_FALSE(file->write("a", 1));
  EXPECT_FALSE(file->flush());
}

TEST_F(SystemTest, BackslashPathsWork) {
  const std::string path = withBackslashes(dir.file("quer.txt"));
  ASSERT_TRUE(writeFile(*system, path, "inhalt"));
  std::string read;
  ASSERT_TRUE(readWholeFile(*system, path, read));
  EXPECT_EQ(read, "inhalt");
  EXPECT_TRUE(system->fileExists(path));
}

TEST_F(SystemTest, OpenForReadingFailsForMissingFilesAndFolders) {
  EXPECT_EQ(system->openForReading(dir.file("fehlt.txt")), nullptr);
  EXPECT_EQ(system->openForReading(dir.path()), nullptr);
  fs::create_directory(dir.file("ordner"));
  EXPECT_EQ(system->openForReading(dir.file("ordner")), nullptr);
  std::string read = "stale";
  EXPECT_FALSE(readWholeFile(*system, dir.file("fehlt.txt"), read));
  EXPECT_EQ(read, "");
}

TEST_F(SystemTest, FileExistsOnlyForFiles) {
  writeBytes(dir.file("datei"), "x");
  fs::create_directory(dir.file("ordner"));
  EXPECT_TRUE(system->fileExists(dir.file("datei")));
  EXPECT_FALSE(system->fileExists(dir.file("ordner")));
  EXPECT_FALSE(system->fileExists(dir.file("fehlt")));
}

TEST_F(SystemTest, ReplaceFileReplacesTheTargetInOneStep) {
  const std::string target = dir.file("autosave.ksf");
  const std::string temporary = dir.file("autosave.ksf.tmp");
  writeBytes(target, "old");
  ASSERT_TRUE(writeFile(*system, temporary, "new"));
  ASSERT_TRUE(system->replaceFile(temporary, target));
  EXPECT_EQ(readBytes(target), "new");
  EXPECT_FALSE(test::exists(temporary));
}

TEST_F(SystemTest, ReplaceFileFromAMissingFileLeavesTheTarget) {
  const std::string target = dir.file("autosave.ksf");
  writeBytes(target, "old");
  EXPECT_FALSE(system->replaceFile(dir.file("fehlt"), target));
  EXPECT_EQ(readBytes(target), "old");
}

TEST_F(SystemTest, RemoveFileDeletesOnce) {
  const std::string path = dir.file("weg");
  writeBytes(path, "x");
  EXPECT_TRUE(system->removeFile(path));
  EXPECT_FALSE(test::exists(path));
  EXPECT_FALSE(system->removeFile(path));
}

TEST_F(SystemTest, LastWriteTimeGivesTheLocalFields) {
  const std::string path = dir.file("datiert.c");
  writeBytes(path, "int x;\n");
  const LocalTime when{2021, 1, 15, 13, 24, 36};
  setLocalWriteTime(path, when);
  LocalTime got;
  ASSERT_TRUE(system->lastWriteTime(path, got));
  EXPECT_EQ(got.year, 2021);
  EXPECT_EQ(got.month, 1);
  EXPECT_EQ(got.day, 15);
  EXPECT_EQ(got.hour, 13);
  EXPECT_EQ(got.minute, 24);
  EXPECT_EQ(got.second, 36);
  EXPECT_FALSE(system->lastWriteTime(dir.file("fehlt"), got));
}

TEST_F(SystemTest, CurrentDirectoryEndsWithABackslashOnlyAtTheRoot) {
  KeepWorkingDirectory keep;
  fs::current_path(dir.path());
  EXPECT_EQ(system->currentDirectory(), withBackslashes(dir.path()));
  const std::string root = fs::path(dir.path()).root_path().string();
  fs::current_path(root);
  EXPECT_EQ(system->currentDirectory(), withBackslashes(root));
  EXPECT_EQ(system->currentDirectory().back(), '\\');
}

TEST_F(SystemTest, CurrentDirectoryIsEmptyWhenLongerThan259Characters) {
  KeepWorkingDirectory keep;
  fs::path deep = dir.path();
  while (deep.string().size() <= 259) deep /= std::string(40, 'd');
  fs::create_directories(deep);
  fs::current_path(deep);
  EXPECT_EQ(system->currentDirectory(), "");
}

TEST_F(SystemTest, ProfileFolderAndHostNameAreKnown) {
  EXPECT_NE(system->profileFolder(), "");
  EXPECT_EQ(system->profileFolder().find('/'), std::string::npos);
  EXPECT_NE(system->hostName(), "");
}

TEST_F(SystemTest, StartingAMissingProgramFails) {
  EXPECT_FALSE(system->startProgram("\"" + withBackslashes(dir.file("fehlt.exe")) + "\""));
}

#ifdef _WIN32
TEST_F(SystemTest, AFileHeldOpenForWritingCannotBeOpenedForReading) {
  const std::string path = dir.file("gesperrt.ksf");
  writeBytes(path, "x");
  HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  EXPECT_EQ(system->openForReading(path), nullptr);
  CloseHandle(writer);
  EXPECT_NE(system->openForReading(path), nullptr);
}
#else
TEST_F(SystemTest, StartProgramRunsAQuotedPath) {
  EXPECT_TRUE(system->startProgram("\"/bin/true\""));
}
#endif

}  // namespace
}  // namespace qk
