// The catalog reader on arbitrary bytes. Besides the sanitizers' checks: a
// catalog that was read must encode and read back cleanly to the same number
// of entries and groups, without growing beyond what the input held.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "catalog/catalog.h"
#include "catalog/catalog_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  qk::Catalog catalog;
  qk::CatalogReadReport report = qk::parseCatalogBytes(bytes, catalog);
  if (report.result != 1) {
    if (catalog.entries.countElements() != 0 || catalog.groups.countElements() != 0) std::abort();
    return 0;
  }
  std::string encoded = qk::encodeCatalog(catalog);
  qk::Catalog again;
  qk::CatalogReadReport second = qk::parseCatalogBytes(encoded, again);
  if (!second.clean()) std::abort();
  if (again.entries.countElements() != catalog.entries.countElements()) std::abort();
  if (again.groups.countElements() != catalog.groups.countElements()) std::abort();
  // Re-encoding may only complete the one record the file ended in (at most
  // an entry record's 44 bytes of numbers and lengths) and add nothing else:
  // more would mean the reader invented data.
  if (encoded.size() > bytes.size() + 44) std::abort();
  return 0;
}
