// Inputs the fuzzers found, kept with the outcome the file rules give for
// them (the same bytes are seeds of the fuzz corpora).
#include <gtest/gtest.h>

#include <string>

#include "catalog/catalog_file.h"

namespace qk {
namespace {

// An entry record whose name length is negative and whose location length
// reaches far past the end: the name counts as empty, the location takes what
// is there (nothing), the last two lengths read as 0, and the check value 20
// then matches.
const std::string kNegativeNameHugeLocation(
    "\xC6\x07\x00\x00"
    "\x14\x00\x00\x00\x01\x00\x00\x00\xC8\x05\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00\xFF\xFF\xFF"
    "\x7F" "abc",
    40);

TEST(FuzzFindings, NegativeNameAndHugeLocationLengthKeepAnEmptyEntry) {
  Catalog catalog;
  const CatalogReadReport report = parseCatalogBytes(kNegativeNameHugeLocation, catalog);
  EXPECT_EQ(report.result, 1);
  EXPECT_EQ(report.message, CatalogReadMessage::None);
  EXPECT_TRUE(report.endedInsideRecord);
  ASSERT_EQ(catalog.entries.countElements(), 1);
  const CatalogEntry& entry = catalog.entries.elements()[0];
  EXPECT_EQ(entry.typeCode, 0x5C8);
  EXPECT_EQ(entry.name, "");
  EXPECT_EQ(entry.location, "");
  EXPECT_EQ(entry.description, "");
  EXPECT_EQ(entry.author, "");
  EXPECT_EQ(catalog.nextEntryIndex, 1);

  const std::string saved = encodeCatalog(catalog);
  EXPECT_EQ(saved.size(), 4u + 44u);
  Catalog again;
  EXPECT_TRUE(parseCatalogBytes(saved, again).clean());
  EXPECT_EQ(encodeCatalog(again), saved);
}

}  // namespace
}  // namespace qk
