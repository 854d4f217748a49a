#include <gtest/gtest.h>

#include <string>

#include "qk_fixture.h"
#include "shown_catalog.h"

namespace qk::test {
namespace {

using ListCommand = QkTest;

TEST_F(ListCommand, ShowsTheEntriesInNameOrderAsATable) {
  writeShownCatalog(*system_, path("k.ksf"));
  const QkResult result = qk({"list", path("k.ksf")});
  EXPECT_EQ(result.status, kExitOk) << result.err;
  EXPECT_EQ(result.out,
            ansiForTerminal(
                "Name         Ort             Typ                     Datum                "
                "Zeilen  Autor       Gruppe\n"
                "Alpha neu.c  ..\\lib\\alpha.c  C Quellcode             14:07:09 05.03.2009       "
                "7  M\xFCller\n"
                "beta.xyz     D:\\x\\beta.xyz   Unbekannter Dateientyp  14:07:09 05.03.2009       "
                "0  Unbekannt   Werkzeuge\n"
                "zeta.pb      .\\zeta.pb       PureBasic Quellcode     14:07:09 05.03.2009    "
                "1200  Max Muster  Spiele, alt\n"));
}

TEST_F(ListCommand, FailsOnAMissingOrDamagedCatalog) {
  const QkResult missing = qk({"list", path("nix.ksf")});
  EXPECT_EQ(missing.status, kExitFailed);
  EXPECT_EQ(missing.out, "");
  EXPECT_NE(missing.err.find("kann nicht gelesen werden"), std::string::npos);

  writeShownCatalog(*system_, path("k.ksf"));
  std::string cut = readBytes(path("k.ksf"));
  writeBytes(path("k.ksf"), cut.substr(0, cut.size() - 3));
  const QkResult damaged = qk({"list", "-c", path("k.ksf")});
  EXPECT_EQ(damaged.status, kExitFailed);
  EXPECT_NE(damaged.out.find("zeta.pb"), std::string::npos);
  EXPECT_NE(damaged.err.find("mitten in einem Datensatz"), std::string::npos);
}

}  // namespace
}  // namespace qk::test
