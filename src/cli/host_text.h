#pragma once
// Where qk's texts meet the host. Inside, every text is in the program's code
// page (Windows-1252), as in the catalog. The Windows build hands those bytes
// to the ANSI API, the console and the command line unchanged. A native host
// speaks UTF-8 instead: its command line, its terminal and its file names are
// converted at this boundary, so that a catalog made on Linux holds the same
// bytes the program would store under Windows.
#include <filesystem>
#include <memory>
#include <string>

#include "platform/system.h"

namespace qk {

// A command-line argument in the code page. Natively a UTF-8 argument is
// converted when the code page has all its characters, else kept as it is.
std::string argumentToAnsi(const std::string& argument);

// A text in the code page as the terminal shows it (UTF-8 natively).
std::string ansiForTerminal(const std::string& text);

// The real system of this build with paths in the code page: natively the
// paths going in are converted to UTF-8 and the folders reported converted
// back.
std::unique_ptr<System> makeHostSystem();

// A path in the code page (backslash form) as the standard library's file
// system functions take it.
std::filesystem::path hostPath(const std::string& ansiPath);
// A path found by the standard library in the code page, with backslashes.
// False when the code page lacks one of its characters: such a file cannot be
// named through the ANSI API at all.
bool ansiPathOf(const std::filesystem::path& path, std::string& ansiPath);

}  // namespace qk
