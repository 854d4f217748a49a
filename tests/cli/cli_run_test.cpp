#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/qk_cli.h"
#include "qk_fixture.h"

namespace qk::test {
namespace {

using CliRun = QkTest;

struct UsageCase {
  std::vector<std::string> args;
  std::string err;
};

TEST_F(CliRun, UsageErrorsExitWithTwoAndAShortMessage) {
  const std::vector<UsageCase> cases = {
      {{}, "qk: kein Befehl angegeben\nHilfe: qk --help\n"},
      {{"lsit"}, "qk: unbekannter Befehl lsit\nHilfe: qk --help\n"},
      {{"add"}, "qk add: DATEI fehlt\nHilfe: qk add --help\n"},
      {{"add", "-c"}, "qk add: Option -c braucht einen Wert\nHilfe: qk add --help\n"},
      {{"list", "--all"}, "qk list: unbekannte Option --all\nHilfe: qk list --help\n"},
      {{"list", "a.ksf", "b.ksf"}, "qk list: zu viele Angaben: b.ksf\nHilfe: qk list --help\n"},
      {{"import"}, "qk import: ORDNER fehlt\nHilfe: qk import --help\n"},
      {{"refresh", "a.ksf"}, "qk refresh: zu viele Angaben: a.ksf\nHilfe: qk refresh --help\n"},
      {{"export", path("k.ksf")}, "qk export: genau eines von --csv und --json angeben\n"},
      {{"export", "--csv", "--json"}, "qk export: genau eines von --csv und --json angeben\n"},
      {{"import", path(""), "--ext", ","},
       "qk import: --ext braucht mindestens eine Endung, etwa --ext c,h\n"},
  };
  for (const UsageCase& c : cases) {
    const QkResult result = qk(c.args);
    EXPECT_EQ(result.status, kExitUsage) << c.err;
    EXPECT_EQ(result.err, c.err);
    EXPECT_EQ(result.out, "");
  }
}

TEST_F(CliRun, HelpExplainsTheToolAndEachCommand) {
  const QkResult overview = qk({"--help"});
  EXPECT_EQ(overview.status, kExitOk);
  for (const char* command : {"list", "add", "import", "check", "refresh", "export"}) {
    EXPECT_NE(overview.out.find(std::string("  ") + command + " "), std::string::npos) << command;
    const QkResult help = qk({command, "--help"});
    EXPECT_EQ(help.status, kExitOk) << command;
    EXPECT_EQ(help.out.rfind(std::string("Aufruf: qk ") + command + " ", 0), 0u) << help.out;
    EXPECT_EQ(help.err, "");
  }
}

}  // namespace
}  // namespace qk::test
