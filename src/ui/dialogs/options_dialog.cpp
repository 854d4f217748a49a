// Window 5: the six preferences, taken over on OK.
#include <cstdint>

#include "ui/dialogs/dialog_support.h"
#include "ui/dialogs/dialogs.h"
#include "ui/main/ids.h"
#include "ui/main/main_window.h"

namespace qk {
namespace {

constexpr char kNoGroupRow[] = " [Keine Gruppe]";

// The groups, then " [Keine Gruppe]" as the last row, which stands for -1. A
// default group that names no row leaves the list without a selection.
void fillDefaultGroupChoice(Program& program) {
  Gui& gui = program.gui;
  const int groupCount = insertGroupRows(gui, kOptionsGroup, program.catalog);
  gui.insertRow(kOptionsGroup, groupCount, kNoGroupRow);
  const int32_t defaultGroup = program.options.opt_stdgruppe;
  gui.selectRow(kOptionsGroup, defaultGroup == -1 ? groupCount : defaultGroup);
}

void fillDefaultViewChoice(Gui& gui, int tab) {
  gui.insertRow(kOptionsTab, 0, "Liste");
  gui.insertRow(kOptionsTab, 1, "Gruppen");
  gui.insertRow(kOptionsTab, 2, "Ordner");
  gui.selectRow(kOptionsTab, tab);
}

void takeOverOptions(Program& program) {
  Gui& gui = program.gui;
  Options& options = program.options;
  options.opt_ungroupnode = static_cast<int8_t>(gui.checkState(kOptionsUngroupNode));
  options.opt_treeexpand = static_cast<int8_t>(gui.checkState(kOptionsTreeExpand));
  options.opt_stdtab = static_cast<int8_t>(gui.selectedRow(kOptionsTab));
  options.opt_stdautor = gui.text(kOptionsAuthor);
  options.opt_addpattern = gui.text(kOptionsPattern);
  const int groupRow = gui.selectedRow(kOptionsGroup);
  options.opt_stdgruppe = findGroup(program.catalog, groupRow) ? groupRow : -1;
  closeDialog(program, kOptionsWindow);
}

}  // namespace

void openOptionsDialog(Program& program) {
  Gui& gui = program.gui;
  const Options& options = program.options;
  if (!gui.openDialogWindow(kOptionsWindow, "Optionen", 220, 375, 0)) return;
  // Each control gets its initial state right after it is created.
  createControls(gui, kOptionsWindow,
                 {
                     {kOptionsTicksFrame, ControlKind::GroupBox, {5, 5, 210, 65},
                      "H\xE4" "ckchen Optionen"},
                     {kOptionsUngroupNode, ControlKind::CheckBox, {10, 20, 200, 20},
                      "Ungruppierten Ordner ?"},
                 });
  gui.setCheckState(kOptionsUngroupNode, options.opt_ungroupnode != 0 ? 1 : 0);
  createControls(gui, kOptionsWindow,
                 {{kOptionsTreeExpand, ControlKind::CheckBox, {10, 45, 200, 20},
                   "Expandierte Baumgadgets ?"}});
  gui.setCheckState(kOptionsTreeExpand, options.opt_treeexpand != 0 ? 1 : 0);
  createControls(gui, kOptionsWindow,
                 {
                     {kOptionsGroupFrame, ControlKind::GroupBox, {5, 75, 210, 45},
                      "Men\xFC Option - Standartgruppe"},
                     {kOptionsGroup, ControlKind::DropDownList, {10, 90, 200, 25}, ""},
                 });
  fillDefaultGroupChoice(program);
  createControls(gui, kOptionsWindow,
                 {
                     {kOptionsTabFrame, ControlKind::GroupBox, {5, 125, 210, 45},
                      "Men\xFC Option - Standartansicht"},
                     {kOptionsTab, ControlKind::DropDownList, {10, 140, 200, 20}, ""},
                 });
  fillDefaultViewChoice(gui, options.opt_stdtab);
  createControls(gui, kOptionsWindow,
                 {
                     {kOptionsAuthorFrame, ControlKind::GroupBox, {5, 175, 210, 45},
                      "Standartautor"},
                     {kOptionsAuthor, ControlKind::SingleLineEdit, {10, 190, 200, 20},
                      options.opt_stdautor},
                     {kOptionsPatternFrame, ControlKind::GroupBox, {5, 225, 210, 120},
                      "Zus\xE4tzliche Dateientypen"},
                     {kOptionsPattern, ControlKind::MultiLineEdit, {10, 240, 200, 100},
                      options.opt_addpattern},
                     {kOptionsOk, ControlKind::PushButton, {5, 350, 75, 20}, "OK"},
                     {kOptionsCancel, ControlKind::PushButton, {140, 350, 75, 20}, "Abbruch"},
                 });
  disableMainWindow(program);
}

bool handleOptionsDialogControl(Program& program, int control) {
  switch (control) {
    case kOptionsOk:
      takeOverOptions(program);
      return true;
    case kOptionsCancel:
      closeDialog(program, kOptionsWindow);
      return true;
    default:
      return control >= kOptionsTicksFrame && control <= kOptionsPattern;
  }
}

}  // namespace qk
