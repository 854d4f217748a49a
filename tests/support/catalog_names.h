#pragma once
// The names of a catalog's entries and groups in list order, for comparing a
// loaded catalog with what a test expects.
#include <string>
#include <vector>

#include "catalog/catalog.h"

namespace qk::test {

inline std::vector<std::string> entryNames(const Catalog& catalog) {
  std::vector<std::string> names;
  for (const CatalogEntry& entry : catalog.entries.elements()) names.push_back(entry.name);
  return names;
}

inline std::vector<std::string> groupNames(const Catalog& catalog) {
  std::vector<std::string> names;
  for (const CatalogGroup& group : catalog.groups.elements()) names.push_back(group.name);
  return names;
}

}  // namespace qk::test
