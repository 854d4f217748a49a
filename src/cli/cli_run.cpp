// runQk: picks the command and hands it its parsed command line.
#include <ostream>

#include "cli/cli_support.h"

namespace qk {

namespace {

constexpr char kOverview[] =
    "qk - Quellkiste-Kataloge auf der Kommandozeile\n"
    "\n"
    "Aufruf: qk BEFEHL [OPTIONEN]\n"
    "\n"
    "  list [KATALOG]                  Eintr\xE4ge als Tabelle zeigen\n"
    "  add [-c KATALOG] DATEI...       Dateien aufnehmen\n"
    "  import [-c KATALOG] ORDNER      alle Quelldateien unter einem Ordner aufnehmen\n"
    "  check [KATALOG]                 Katalogdatei pr\374fen\n"
    "  refresh [-c KATALOG]            Zeilen und Datum aller Eintr\xE4ge neu lesen\n"
    "  export [KATALOG] --csv|--json   alle Felder ausgeben\n"
    "\n"
    "KATALOG ist ohne Angabe autosave.ksf im aktuellen Ordner, der auch der\n"
    "Basisordner der gespeicherten Orte ist. \"qk BEFEHL --help\" erkl\xE4rt einen Befehl.\n";

const CommandInfo* commandNamed(const std::string& name) {
  for (const CommandInfo* info : {&listCommand(), &addCommand(), &importCommand(), &checkCommand(),
                                  &refreshCommand(), &exportCommand()}) {
    if (name == info->name) return info;
  }
  return nullptr;
}

// `who` is "qk" or "qk COMMAND".
int usageError(CliEnvironment& environment, const std::string& who, const std::string& text,
               const std::string& help) {
  say(environment.err, who + ": " + text + "\nHilfe: " + help + "\n");
  return kExitUsage;
}

}  // namespace

int runQk(const std::vector<std::string>& args, CliEnvironment& environment) {
  if (args.empty()) return usageError(environment, "qk", "kein Befehl angegeben", "qk --help");
  if (args[0] == "--help" || args[0] == "-h") {
    say(environment.out, kOverview);
    return kExitOk;
  }
  const CommandInfo* command = commandNamed(args[0]);
  if (!command) return usageError(environment, "qk", "unbekannter Befehl " + args[0], "qk --help");
  const std::string who = std::string("qk ") + command->name;
  CommandArgs parsed;
  std::string error;
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (!parseCommandArgs(rest, command->syntax, parsed, error)) {
    return usageError(environment, who, error, who + " --help");
  }
  if (parsed.help) {
    say(environment.out, command->help);
    return kExitOk;
  }
  return command->run(parsed, environment);
}

}  // namespace qk
