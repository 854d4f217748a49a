// The settings reader on arbitrary bytes. What it read must survive a save
// and a second read unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "catalog/settings.h"

namespace {
bool sameOptions(const qk::Options& a, const qk::Options& b) {
  return a.opt_ungroupnode == b.opt_ungroupnode && a.opt_stdgruppe == b.opt_stdgruppe &&
         a.opt_stdautor == b.opt_stdautor && a.opt_treeexpand == b.opt_treeexpand &&
         a.opt_stdtab == b.opt_stdtab && a.opt_addpattern == b.opt_addpattern;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  qk::Options options;
  qk::applySettingsText(bytes, options);
  if (options.opt_stdautor.size() > bytes.size() || options.opt_addpattern.size() > bytes.size()) {
    std::abort();
  }
  std::string saved = qk::formatSettingsText(options);
  qk::Options reread;
  reread.opt_stdautor = "unset";
  reread.opt_addpattern = "unset";
  qk::applySettingsText(saved, reread);
  if (!sameOptions(options, reread)) std::abort();
  return 0;
}
