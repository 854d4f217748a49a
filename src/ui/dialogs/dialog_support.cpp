#include "ui/dialogs/dialog_support.h"

#include "sources/catalog_paths.h"
#include "sources/file_types.h"
#include "ui/main/ids.h"

namespace qk {

void createControls(Gui& gui, int window, const std::vector<ControlSpec>& specs) {
  for (const ControlSpec& spec : specs) {
    gui.createControl(window, spec.control, spec.kind, spec.where, spec.text);
  }
}

int insertGroupRows(Gui& gui, int control, Catalog& catalog) {
  for (const CatalogGroup& group : catalog.groups.elements()) {
    gui.insertRow(control, group.groupId, group.name);
  }
  return catalog.groups.countElements();
}

void chooseSourceFile(Program& program, int nameControl) {
  const std::string filter = toDialogFilter(buildOpenFilter(program.options.opt_addpattern));
  program.catalog.pendingFilePath = program.gui.chooseFileToOpen("Quellcode ausw\xE4hlen", filter);
  if (!program.catalog.pendingFilePath.empty()) {
    program.gui.setText(nameControl, filePart(program.catalog.pendingFilePath));
  }
}

void disableMainWindow(Program& program) { program.gui.enableWindow(kMainWindow, false); }

}  // namespace qk
