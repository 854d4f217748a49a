#include "cli/cli_args.h"

#include <algorithm>

namespace qk {

namespace {

bool contains(const std::vector<std::string>& list, const std::string& item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

bool looksLikeOption(const std::string& arg) { return arg.size() > 1 && arg[0] == '-'; }

}  // namespace

std::string CommandArgs::value(const std::string& option, const std::string& fallback) const {
  auto found = values.find(option);
  return found == values.end() ? fallback : found->second;
}

bool parseCommandArgs(const std::vector<std::string>& args, const CommandSyntax& syntax,
                      CommandArgs& parsed, std::string& error) {
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || !looksLikeOption(arg)) {
      parsed.arguments.push_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--help" || arg == "-h") {
      parsed.help = true;
      return true;
    } else if (contains(syntax.flags, arg)) {
      parsed.flags.insert(arg);
    } else if (contains(syntax.valueOptions, arg)) {
      if (i + 1 == args.size()) {
        error = "Option " + arg + " braucht einen Wert";
        return false;
      }
      parsed.values[arg] = args[++i];
    } else {
      error = "unbekannte Option " + arg;
      return false;
    }
  }
  if (parsed.arguments.size() < syntax.minArguments) {
    error = syntax.argumentName + " fehlt";
    return false;
  }
  if (parsed.arguments.size() > syntax.maxArguments) {
    error = "zu viele Angaben: " + parsed.arguments[syntax.maxArguments];
    return false;
  }
  return true;
}

}  // namespace qk
