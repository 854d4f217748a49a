#pragma once
// The command line of one qk command: options with a value, flags, and the
// plain arguments.
#include <map>
#include <set>
#include <string>
#include <vector>

namespace qk {

struct CommandSyntax {
  std::vector<std::string> valueOptions;  // e.g. "-c", "--base"
  std::vector<std::string> flags;         // e.g. "--again"
  size_t minArguments = 0;
  size_t maxArguments = 0;
  std::string argumentName;  // what a missing argument is called in the message
};

struct CommandArgs {
  std::map<std::string, std::string> values;
  std::set<std::string> flags;
  std::vector<std::string> arguments;
  bool help = false;

  bool has(const std::string& flag) const { return flags.count(flag) != 0; }
  bool hasValue(const std::string& option) const { return values.count(option) != 0; }
  // The option's value, or `fallback` when it was not given.
  std::string value(const std::string& option, const std::string& fallback) const;
};

// Splits `args` by the syntax. "--" ends the options; "--help" or "-h" asks
// for help and ends the parsing. Returns false with a German message in
// `error` when the command line does not fit.
bool parseCommandArgs(const std::vector<std::string>& args, const CommandSyntax& syntax,
                      CommandArgs& parsed, std::string& error);

}  // namespace qk
