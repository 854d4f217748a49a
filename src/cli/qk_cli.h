#pragma once
// qk, the companion command-line tool: one entry point that the console
// program and the tests call alike.
#include <iosfwd>
#include <string>
#include <vector>

#include "platform/system.h"

namespace qk {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

struct CliEnvironment {
  System& system;  // paths in the program's code page (see host_text.h)
  std::ostream& out;
  std::ostream& err;
  // Progress lines on `err` during long imports; set when it is a terminal.
  bool showProgress = false;
  // Where the user's settings are read from; "::" is the program's own file.
  std::string settingsFile = "::";
};

// Runs one qk command line (without the program name; arguments in the code
// page) and returns the exit status: kExitOk, kExitFailed, or kExitUsage for
// a command line that cannot be understood.
int runQk(const std::vector<std::string>& args, CliEnvironment& environment);

}  // namespace qk
