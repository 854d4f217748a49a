#pragma once
// What the qk commands share: their table entry, messages, the catalog and
// base directory they work on, loading a catalog for a change and saving it.
#include <string>
#include <vector>

#include "catalog/catalog.h"
#include "catalog/catalog_file.h"
#include "cli/cli_args.h"
#include "cli/qk_cli.h"

namespace qk {

struct CommandInfo {
  const char* name;
  CommandSyntax syntax;
  const char* help;  // in the code page
  int (*run)(const CommandArgs& args, CliEnvironment& environment);
};

const CommandInfo& listCommand();
const CommandInfo& addCommand();
const CommandInfo& importCommand();
const CommandInfo& checkCommand();
const CommandInfo& refreshCommand();
const CommandInfo& exportCommand();

// Writes a text in the code page to a terminal stream.
void say(std::ostream& stream, const std::string& text);
// "qk COMMAND: text" with a line end on `err`.
void complain(CliEnvironment& environment, const char* command, const std::string& text);

// The catalog file of a command: -c, else "autosave.ksf".
std::string catalogOptionOf(const CommandArgs& args);
// The same for a command whose argument names the catalog: -c, else the
// argument, else "autosave.ksf".
std::string catalogArgumentOf(const CommandArgs& args);
// The base directory: --base as a full folder, else the working directory as
// the program reads it.
std::string baseDirectoryOf(const CommandArgs& args, System& system);

// Why a read was not clean (or skipped records), one sentence each; empty for
// a clean read.
std::vector<std::string> readProblems(const CatalogReadReport& report);

enum class ChangeLoad { Refused, Clean, Forced };

// A catalog read for a change and put in name order, as the program's
// start-up does. A missing file gives an empty catalog when `missingIsEmpty`.
// Refused, after telling why, when the file is missing otherwise, or does not
// load cleanly and `force` is not set; Forced when it did not load cleanly
// and `force` is set.
ChangeLoad loadCatalogForChange(CliEnvironment& environment, const char* command,
                                const std::string& path, bool missingIsEmpty, bool force,
                                Catalog& catalog);

// Reads a catalog to show it, in name order; tells on `err` when it did not
// load cleanly (result 1 with such a report: what was read can be shown).
CatalogReadReport loadCatalogToShow(CliEnvironment& environment, const char* command,
                                    const std::string& path, Catalog& catalog);

// Sorts the entries by name, as the program does before every save, and
// writes the catalog safely, keeping the previous file as path.bak. Returns
// false after telling why when the save failed.
bool saveCatalog(CliEnvironment& environment, const char* command, Catalog& catalog,
                 const std::string& path);

}  // namespace qk
