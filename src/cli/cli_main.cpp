// The qk console program.
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/host_text.h"
#include "cli/qk_cli.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

bool stderrIsTerminal() {
#ifdef _WIN32
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(STDERR_FILENO) != 0;
#endif
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  // CSV lines end in CR LF of their own; nothing may add another CR.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(qk::argumentToAnsi(argv[i]));
  std::unique_ptr<qk::System> system = qk::makeHostSystem();
  qk::CliEnvironment environment{*system, std::cout, std::cerr};
  environment.showProgress = stderrIsTerminal();
  const int status = qk::runQk(args, environment);
  std::cout.flush();
  return status;
}
