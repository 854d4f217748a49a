// System on the real Win32 API, ANSI functions throughout.
#include <winsock2.h>
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>

#include "platform/system.h"

namespace qk {
namespace {

constexpr DWORD kPathBufferChars = 260;
constexpr int kHostNameBufferBytes = 1024;
// One ReadFile or WriteFile call moves at most this many bytes.
constexpr size_t kMaxTransfer = 1u << 30;

class Win32ReadableFile : public ReadableFile {
 public:
  explicit Win32ReadableFile(HANDLE handle) : handle_(handle) {}
  ~Win32ReadableFile() override { CloseHandle(handle_); }
  long read(char* buffer, size_t size) override {
    DWORD got = 0;
    DWORD wanted = static_cast<DWORD>(std::min(size, kMaxTransfer));
    if (!ReadFile(handle_, buffer, wanted, &got, nullptr)) return -1;
    return static_cast<long>(got);
  }

 private:
  HANDLE handle_;
};

class Win32WritableFile : public WritableFile {
 public:
  explicit Win32WritableFile(HANDLE handle) : handle_(handle) {}
  ~Win32WritableFile() override {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  bool write(const char* data, size_t size) override {
    if (handle_ == INVALID_HANDLE_VALUE) return false;
    while (size > 0) {
      DWORD wanted = static_cast<DWORD>(std::min(size, kMaxTransfer));
      DWORD put = 0;
      if (!WriteFile(handle_, data, wanted, &put, nullptr) || put != wanted) return false;
      data += put;
      size -= put;
    }
    return true;
  }
  bool flush() override {
    return handle_ != INVALID_HANDLE_VALUE && FlushFileBuffers(handle_);
  }
  bool close() override {
    if (handle_ == INVALID_HANDLE_VALUE) return false;
    bool ended = SetEndOfFile(handle_);
    bool closed = CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    return ended && closed;
  }

 private:
  HANDLE handle_;
};

// Frees an item list through the shell's allocator, as the shell asks.
void freeItemList(LPITEMIDLIST list) {
  IMalloc* allocator = nullptr;
  if (SUCCEEDED(SHGetMalloc(&allocator))) {
    allocator->Free(list);
    allocator->Release();
  }
}

// Windows Sockets are started once per process, with version 1.1.
bool socketsStarted() {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(1, 1), &data) == 0;
  }();
  return started;
}

class Win32System : public System {
 public:
  std::unique_ptr<ReadableFile> openForReading(const std::string& path) override {
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32ReadableFile>(handle);
  }

  std::unique_ptr<WritableFile> createFile(const std::string& path) override {
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32WritableFile>(handle);
  }

  bool replaceFile(const std::string& from, const std::string& to) override {
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  }

  bool removeFile(const std::string& path) override { return DeleteFileA(path.c_str()); }

  bool fileExists(const std::string& path) override {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  bool lastWriteTime(const std::string& path, LocalTime& out) override {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    FILETIME local;
    SYSTEMTIME fields;
    if (!FileTimeToLocalFileTime(&found.ftLastWriteTime, &local)) return false;
    if (!FileTimeToSystemTime(&local, &fields)) return false;
    out.year = fields.wYear;
    out.month = fields.wMonth;
    out.day = fields.wDay;
    out.hour = fields.wHour;
    out.minute = fields.wMinute;
    out.second = fields.wSecond;
    return true;
  }

  std::string currentDirectory() override {
    char buffer[kPathBufferChars];
    DWORD length = GetCurrentDirectoryA(kPathBufferChars, buffer);
    // 0 is a failure; a length of the buffer or more is the size it would need.
    if (length == 0 || length >= kPathBufferChars) return {};
    return std::string(buffer, length);
  }

  std::string profileFolder() override {
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_PROFILE, &list)) || !list) return {};
    char buffer[MAX_PATH];
    bool found = SHGetPathFromIDListA(list, buffer);
    freeItemList(list);
    return found ? std::string(buffer) : std::string();
  }

  std::string hostName() override {
    if (!socketsStarted()) return {};
    char buffer[kHostNameBufferBytes];
    if (gethostname(buffer, sizeof buffer) != 0) return {};
    buffer[sizeof buffer - 1] = '\0';
    return buffer;
  }

  bool startProgram(const std::string& commandLine) override {
    // CreateProcessA may write into its command line, so it gets a copy.
    std::string writable = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                        nullptr, nullptr, &startup, &process)) {
      return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
  }

  bool shellOpen(const std::string& file, const std::string& directory) override {
    SHELLEXECUTEINFOA request = {};
    request.cbSize = sizeof request;
    // SEE_MASK_FLAG_NO_UI: a file nothing is associated with fails silently
    // instead of raising the shell's own modal error or "Open with" window.
    request.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    request.lpVerb = "Open";
    request.lpFile = file.c_str();
    request.lpParameters = "";
    request.lpDirectory = directory.empty() ? nullptr : directory.c_str();
    request.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&request)) return false;
    if (request.hProcess) CloseHandle(request.hProcess);
    return true;
  }
};

}  // namespace

std::unique_ptr<System> makeSystem() { return std::make_unique<Win32System>(); }

}  // namespace qk
