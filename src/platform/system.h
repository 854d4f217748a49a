#pragma once
// The program's view of the operating system: files, the working directory,
// the profile folder, the host name, file times and starting files.
//
// Paths are ANSI byte strings in Windows form (backslash separators). The
// POSIX implementation takes every backslash as '/', and reports the paths it
// produces (the working directory, the profile folder) with backslashes, so
// the location rules work the same in native builds.
//
// Every method is safe to call with any path; failures are result values.
#include <cstddef>
#include <memory>
#include <string>

namespace qk {

// Calendar fields of a local wall-clock time.
struct LocalTime {
  int year = 0;
  int month = 0;  // 1 to 12
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// A file opened for sequential reading. Closed when destroyed.
class ReadableFile {
 public:
  virtual ~ReadableFile() = default;
  // Reads up to `size` bytes into `buffer`. Returns the number of bytes read,
  // 0 at the end of the file, and -1 on a read error.
  virtual long read(char* buffer, size_t size) = 0;
};

// A file opened for writing. Destroying it without close() closes it too,
// ignoring errors.
class WritableFile {
 public:
  virtual ~WritableFile() = default;
  // Writes all `size` bytes. Returns false when not all of them were written
  // (a full disk gives a short write, which is reported as false).
  virtual bool write(const char* data, size_t size) = 0;
  // Pushes the written bytes to the disk (FlushFileBuffers / fsync).
  // Returns false on failure.
  virtual bool flush() = 0;
  // Marks the end of the file at the current position and closes it.
  // Returns false on failure. Further calls do nothing and return false.
  virtual bool close() = 0;
};

class System {
 public:
  virtual ~System() = default;

  // Opens an existing file for reading with the share rule the program uses
  // everywhere (GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING): a missing file,
  // a file without read access and a file another handle holds open for
  // writing all fail. Returns nullptr on failure.
  virtual std::unique_ptr<ReadableFile> openForReading(const std::string& path) = 0;

  // Creates the file for writing, replacing an existing one (GENERIC_WRITE,
  // FILE_SHARE_READ, CREATE_ALWAYS). Returns nullptr on failure.
  virtual std::unique_ptr<WritableFile> createFile(const std::string& path) = 0;

  // Replaces `to` by `from` in one step (MoveFileExA with
  // MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH; rename on POSIX).
  // On failure both files stay as they were and false is returned.
  virtual bool replaceFile(const std::string& from, const std::string& to) = 0;

  // Deletes a file. Returns false when it could not be deleted.
  virtual bool removeFile(const std::string& path) = 0;

  // True when a file (not a folder) exists at the path.
  virtual bool fileExists(const std::string& path) = 0;

  // The last-write time of the file as local calendar fields
  // (FindFirstFileA, FileTimeToLocalFileTime, FileTimeToSystemTime; stat and
  // localtime_r on POSIX). Works for files that cannot be opened. Returns
  // false when the file is not found or a conversion fails.
  virtual bool lastWriteTime(const std::string& path, LocalTime& out) = 0;

  // The working directory as GetCurrentDirectoryA reports it into a buffer of
  // 260 characters. Empty when it cannot be read or does not fit.
  virtual std::string currentDirectory() = 0;

  // The user's profile folder (CSIDL_PROFILE). Empty when unknown.
  virtual std::string profileFolder() = 0;

  // The computer's name as Windows Sockets' gethostname reports it (1024-byte
  // buffer, sockets started with version 1.1). Empty when there is none.
  virtual std::string hostName() = 0;

  // Starts a program: CreateProcessA with no application name, this command
  // line, no inheritance, NORMAL_PRIORITY_CLASS and SW_SHOWNORMAL; both
  // handles are closed at once. Returns false when it could not be started.
  virtual bool startProgram(const std::string& commandLine) = 0;

  // Asks the shell to open a file with its associated program
  // (ShellExecuteExA, verb "Open", SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI
  // so that a failure shows nothing, SW_SHOWNORMAL,
  // the handle closed at once). `directory` may be empty for none. Returns
  // false on failure.
  virtual bool shellOpen(const std::string& file, const std::string& directory) = 0;
};

// The real system of this build: Win32 in the Windows build, POSIX natively.
std::unique_ptr<System> makeSystem();

// Reads a whole file through openForReading. Returns false, leaving `out`
// empty, when the file cannot be opened; a read error ends the content there.
bool readWholeFile(System& system, const std::string& path, std::string& out);

}  // namespace qk
