#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "qk_fixture.h"

namespace qk::test {
namespace {

using RefreshCommand = QkTest;

TEST_F(RefreshCommand, RecountsRereadsAndKeepsMissingFiles) {
  const std::string catalog = path("k.ksf");
  file("kat/a.c", "1\n2\n3\n");
  file("kat/gone.c", "1\n");
  ASSERT_EQ(
      qk({"add", "-c", catalog, "--base", path("kat"), path("kat/a.c"), path("kat/gone.c")}).status,
      kExitOk);
  file("kat/a.c", "1\n2\n3\n4\n5\n");
  std::filesystem::remove(path("kat/gone.c"));

  const QkResult result = qk({"refresh", "-c", catalog, "--base", path("kat")});
  EXPECT_EQ(result.status, kExitFailed);
  EXPECT_EQ(result.out, ansiForTerminal("Die Datei .\\gone.c scheint nicht mehr aktuell zu "
                                        "existieren; sie bleibt im Katalog.\n"
                                        "Ge\xE4ndert: 2 von 2 Eintr\xE4gen.\n"));
  Catalog refreshed = catalogAt(catalog);
  ASSERT_EQ(refreshed.entries.countElements(), 2);
  const CatalogEntry& a = refreshed.entries.elements()[0];
  const CatalogEntry& gone = refreshed.entries.elements()[1];
  EXPECT_EQ(a.lineCount, 5);
  EXPECT_NE(a.modified, 0);
  EXPECT_EQ(gone.location, ".\\gone.c");
  EXPECT_EQ(gone.lineCount, 0);
  EXPECT_EQ(gone.modified, 0);

  // Nothing left to change: the file is not written again.
  const std::string backup = readBytes(catalog + ".bak");
  const QkResult again = qk({"refresh", "-c", catalog, "--base", path("kat")});
  EXPECT_NE(again.out.find(ansiForTerminal("Ge\xE4ndert: 0 von 2")), std::string::npos);
  EXPECT_EQ(readBytes(catalog + ".bak"), backup);
}

TEST_F(RefreshCommand, NeedsAnExistingCleanCatalog) {
  const QkResult missing = qk({"refresh", "-c", path("nix.ksf")});
  EXPECT_EQ(missing.status, kExitFailed);
  EXPECT_EQ(missing.err, "qk refresh: Katalog " + path("nix.ksf") + " nicht gefunden.\n");

  writeBytes(path("k.ksf"), "kaputt");
  EXPECT_EQ(qk({"refresh", "-c", path("k.ksf")}).status, kExitFailed);
  EXPECT_EQ(readBytes(path("k.ksf")), "kaputt");
  EXPECT_EQ(qk({"refresh", "-c", path("k.ksf"), "--force"}).status, kExitOk);
  EXPECT_EQ(readBytes(path("k.ksf") + ".bak"), "kaputt");
}

}  // namespace
}  // namespace qk::test
