#include "ui/main/main_window.h"

#include <string>
#include <vector>

#include "ui/main/ids.h"

namespace qk {

namespace {

constexpr uint32_t kDescriptionBackground = rgb(235, 235, 228);

struct MainControlSpec {
  int control;
  ControlKind kind;
  Rect where;
  const char* text;
};

// Controls 1 to 10 and 12, created before the tab strip.
const MainControlSpec kViewControls[] = {
    {kLibraryFrame, ControlKind::GroupBox, {5, 5, 300, 400}, "Meine Bibliothek"},
    {kNameList, ControlKind::ListBox, {15, 30, 280, 375}, ""},
    {kDetailsText, ControlKind::StaticText, {315, 15, 200, 205}, ""},
    {kDescriptionText, ControlKind::ReadOnlyMultiLineEdit, {315, 225, 200, 180}, ""},
    {kAddButton, ControlKind::PushButton, {5, 410, 75, 20}, "Hinzuf\xFCgen"},
    {kEditButton, ControlKind::PushButton, {80, 410, 75, 20}, "Bearbeiten"},
    {kDeleteButton, ControlKind::PushButton, {155, 410, 75, 20}, "L\xF6schen"},
    {kEditorButton, ControlKind::PushButton, {230, 410, 75, 20}, "Editor"},
    {kGroupTree, ControlKind::TreeView, {15, 20, 280, 375}, ""},
    {kFolderTree, ControlKind::TreeView, {15, 20, 280, 375}, ""},
    {kGroupsButton, ControlKind::PushButton, {465, 412, 50, 20}, "..."},
};

const MainControlSpec kTabStrip = {kViewTabs, ControlKind::TabStrip, {315, 410, 150, 20}, ""};
const char* const kTabTexts[] = {"Standart", "Gruppe", "Ordner"};

// Controls 13 to 15, created after the tab strip has its tab.
const MainControlSpec kLaterButtons[] = {
    {kOptionsButton, ControlKind::PushButton, {305, 410, 75, 20}, "Optionen"},
    {kAutosaveButton, ControlKind::PushButton, {305, 410, 75, 20}, "Autosave"},
    {kAboutButton, ControlKind::PushButton, {-1, -1, -1, -1}, "?"},
};

bool startsHidden(int control) {
  return control == kGroupTree || control == kFolderTree || control == kGroupsButton;
}

void create(Gui& gui, const MainControlSpec& spec) {
  gui.createControl(kMainWindow, spec.control, spec.kind, spec.where, spec.text);
  if (spec.control == kDescriptionText) {
    gui.setText(kDescriptionText, "");
    gui.setControlBackground(kDescriptionText, kDescriptionBackground);
  }
  if (startsHidden(spec.control)) gui.showControl(spec.control, false);
}

struct Placement {
  int control;
  Rect where;
};

// The layout table for a client size of w x h.
std::vector<Placement> placements(int w, int h) {
  const Rect view{15, 40, w - 240, h - 85};
  return {
      {kLibraryFrame, {5, 5, w - 220, h - 40}},
      {kNameList, view},
      {kGroupTree, view},
      {kFolderTree, view},
      {kDetailsText, {w - 205, 15, 200, 205}},
      {kDescriptionText, {w - 205, 225, 200, h - 260}},
      {kAddButton, {5, h - 30, 75, 20}},
      {kEditButton, {80, h - 30, 75, 20}},
      {kDeleteButton, {155, h - 30, 75, 20}},
      {kEditorButton, {230, h - 30, 75, 20}},
      {kViewTabs, {15, 20, 150, 20}},
      {kGroupsButton, {w - 275, 20, 50, 20}},
      {kOptionsButton, {305, h - 30, 75, 20}},
      {kAutosaveButton, {380, h - 30, 75, 20}},
      {kAboutButton, {w - 25, h - 30, 20, 20}},
  };
}

}  // namespace

void createMainControls(Program& program) {
  Gui& gui = program.gui;
  for (const MainControlSpec& spec : kViewControls) create(gui, spec);
  create(gui, kTabStrip);
  for (int tab = 0; tab < 3; ++tab) gui.insertRow(kViewTabs, tab, kTabTexts[tab]);
  gui.selectRow(kViewTabs, program.options.opt_stdtab);
  showViewForTab(program, program.options.opt_stdtab);
  for (const MainControlSpec& spec : kLaterButtons) create(gui, spec);
}

void layoutMainWindow(Program& program) {
  Gui& gui = program.gui;
  TextSize size = gui.clientSize(kMainWindow);
  if (size.height < kMainMinHeight) {
    gui.setClientSize(kMainWindow, size.width, kMainMinHeight);
    size = gui.clientSize(kMainWindow);
  }
  if (size.width < kMainMinWidth) {
    gui.setClientSize(kMainWindow, kMainMinWidth, size.height);
    size = gui.clientSize(kMainWindow);
  }
  for (const Placement& placement : placements(size.width, size.height))
    gui.moveControl(placement.control, placement.where);
}

void showViewForTab(Program& program, int tab) {
  if (tab < 0 || tab > 2) return;
  Gui& gui = program.gui;
  gui.showControl(kNameList, tab == 0);
  gui.showControl(kGroupTree, tab == 1);
  gui.showControl(kFolderTree, tab == 2);
  gui.showControl(kGroupsButton, tab == 1);
}

void createFolderTreeMenu(Program& program) {
  Gui& gui = program.gui;
  if (!gui.createPopupMenu(kFolderTreeMenu)) return;
  gui.appendMenuItem(kFolderTreeMenu, kMenuFolderExpandAll, "Alles Ausklappen", false);
  gui.appendMenuItem(kFolderTreeMenu, kMenuFolderCollapseAll, "Alles Einklappen", false);
}

void closeDialog(Program& program, int window) {
  if (window == kMainWindow) return;
  Gui& gui = program.gui;
  gui.enableWindow(kMainWindow, true);
  if (window == kAddWindow || window == kEditWindow) gui.activateWindow(kMainWindow);
  gui.destroyWindow(window);
}

}  // namespace qk
