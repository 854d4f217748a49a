// The four dialog windows: title, size, owner, centring on the desktop,
// controls in their creation order, and the main window disabled exactly
// while a dialog is open.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/dialog_fixture.h"

namespace qk::test {
namespace {

struct DialogCase {
  const char* name;
  void (*open)(Program&);
  int window;
  std::string title;
  int width, height, owner;
  std::vector<int> controls;  // in creation order
  int closeButton;
};
void PrintTo(const DialogCase& c, std::ostream* os) { *os << c.name; }

const DialogCase kDialogs[] = {
    {"Add", openAddDialog, kAddWindow, "Neuen Quellcode hinzuf\xFCgen", 310, 370, kMainWindow,
     {101, 102, 103, 107, 104, 105, 106}, kAddCancel},
    {"Edit", openEditDialog, kEditWindow, "Quellcode Daten bearbeiten", 515, 340, kMainWindow,
     {201, 202, 203, 204, 205, 206, 207, 208, 209, 210}, kEditCancel},
    {"Groups", openGroupsDialog, kGroupsWindow, "Gruppenverwaltung", 420, 310, 0,
     {301, 302, 303, 304, 305, 306, 307}, kGroupsClose},
    {"Options", openOptionsDialog, kOptionsWindow, "Optionen", 220, 375, 0,
     {401, 402, 403, 404, 405, 406, 407, 408, 409, 412, 413, 410, 411}, kOptionsCancel},
};

class DialogWindowTest : public DialogTest, public ::testing::WithParamInterface<DialogCase> {
 protected:
  DialogWindowTest() {
    CatalogEntry& e = addEntry(program.catalog);
    e.name = "haupt.cpp";
    e.location = dir.file("fehlt.cpp");
    program.catalog.selectedEntryIndex = e.entryIndex;
  }

  std::vector<int> controlsOf(int window) {
    std::vector<int> ids;
    for (int id : gui.creationOrder()) {
      const MemoryGui::Control* c = gui.control(id);
      if (c != nullptr && c->window == window) ids.push_back(id);
    }
    return ids;
  }
};

TEST_P(DialogWindowTest, OpensCentredWithItsControlsAndClosesThroughItsButton) {
  const DialogCase& d = GetParam();
  gui.setDesktopSize({1280, 1024});
  d.open(program);

  const MemoryGui::Window* w = gui.window(d.window);
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->dialog);
  EXPECT_EQ(w->title, d.title);
  EXPECT_EQ(w->width, d.width);
  EXPECT_EQ(w->height, d.height);
  EXPECT_EQ(w->owner, d.owner);
  EXPECT_EQ(w->outer.left, (1280 - w->outer.width) / 2);
  EXPECT_EQ(w->outer.top, (1024 - w->outer.height) / 2);
  EXPECT_EQ(controlsOf(d.window), d.controls);
  EXPECT_FALSE(gui.isWindowEnabled(kMainWindow));

  press(d.closeButton);
  EXPECT_FALSE(gui.hasWindow(d.window));
  for (int id : d.controls) EXPECT_FALSE(gui.hasControl(id)) << id;
  EXPECT_TRUE(gui.isWindowEnabled(kMainWindow));
}

TEST_P(DialogWindowTest, WindowThatCannotBeCreatedLeavesTheMainWindowEnabled) {
  const DialogCase& d = GetParam();
  gui.canCreateWindows = false;
  d.open(program);
  EXPECT_FALSE(gui.hasWindow(d.window));
  EXPECT_TRUE(controlsOf(d.window).empty());
  EXPECT_TRUE(gui.isWindowEnabled(kMainWindow));
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogWindowTest, ::testing::ValuesIn(kDialogs), CaseName());

// Every control of the four dialogs with its kind, place and initial text.
// The windows are all open at once here, which the control numbers allow.
TEST_F(DialogTest, ControlsStandWhereTheLayoutPutsThem) {
  struct Placed {
    int control;
    ControlKind kind;
    Rect where;
    std::string text;
  };
  using K = ControlKind;
  const Placed layout[] = {
      {101, K::SingleLineEdit, {55, 5, 150, 20}, ""},
      {102, K::PushButton, {205, 5, 50, 20}, "..."},
      {103, K::SingleLineEdit, {90, 30, 100, 20}, "Anna"},
      {107, K::StaticText, {200, 32, 30, 16}, "Autor"},
      {104, K::MultiLineEdit, {5, 55, 300, 280}, ""},
      {105, K::PushButton, {5, 340, 75, 20}, "OK"},
      {106, K::PushButton, {230, 340, 75, 20}, "Abbruch"},
      {201, K::SingleLineEdit, {5, 5, 250, 20}, "haupt.cpp"},
      {202, K::PushButton, {255, 5, 50, 20}, "..."},
      {203, K::SingleLineEdit, {5, 30, 250, 20}, "Bert"},
      {204, K::StaticText, {260, 32, 30, 16}, "Autor"},
      {205, K::MultiLineEdit, {5, 55, 300, 280}, "zwei\r\nZeilen"},
      {207, K::PushButton, {360, 210, 100, 20}, "Aktualisieren"},
      {208, K::DropDownList, {310, 240, 200, 20}, ""},
      {209, K::PushButton, {360, 315, 100, 20}, "Abbruch"},
      {210, K::PushButton, {360, 290, 100, 20}, "OK"},
      {301, K::ListBox, {5, 5, 200, 300}, ""},
      {302, K::SingleLineEdit, {215, 5, 150, 20}, ""},
      {303, K::PushButton, {365, 5, 50, 20}, "Neu"},
      {304, K::SingleLineEdit, {215, 35, 150, 20}, ""},
      {305, K::PushButton, {365, 35, 50, 20}, "\xC4ndern"},
      {306, K::PushButton, {265, 65, 100, 20}, "L\xF6schen"},
      {307, K::PushButton, {265, 285, 100, 20}, "Schlie\xDF" "en"},
      {401, K::GroupBox, {5, 5, 210, 65}, "H\xE4" "ckchen Optionen"},
      {402, K::CheckBox, {10, 20, 200, 20}, "Ungruppierten Ordner ?"},
      {403, K::CheckBox, {10, 45, 200, 20}, "Expandierte Baumgadgets ?"},
      {404, K::GroupBox, {5, 75, 210, 45}, "Men\xFC Option - Standartgruppe"},
      {405, K::DropDownList, {10, 90, 200, 25}, ""},
      {406, K::GroupBox, {5, 125, 210, 45}, "Men\xFC Option - Standartansicht"},
      {407, K::DropDownList, {10, 140, 200, 20}, ""},
      {408, K::GroupBox, {5, 175, 210, 45}, "Standartautor"},
      {409, K::SingleLineEdit, {10, 190, 200, 20}, "Anna"},
      {412, K::GroupBox, {5, 225, 210, 120}, "Zus\xE4tzliche Dateientypen"},
      {413, K::MultiLineEdit, {10, 240, 200, 100}, "|Eigene|*.abc"},
      {410, K::PushButton, {5, 350, 75, 20}, "OK"},
      {411, K::PushButton, {140, 350, 75, 20}, "Abbruch"},
  };
  program.options.opt_stdautor = "Anna";
  program.options.opt_addpattern = "|Eigene|*.abc";
  CatalogEntry& e = addEntry(program.catalog);
  e.name = "haupt.cpp";
  e.author = "Bert";
  e.description = "zwei\r\nZeilen";
  program.catalog.selectedEntryIndex = e.entryIndex;

  openAddDialog(program);
  openEditDialog(program);
  openGroupsDialog(program);
  openOptionsDialog(program);
  for (const Placed& p : layout) {
    const MemoryGui::Control* c = gui.control(p.control);
    ASSERT_NE(c, nullptr) << p.control;
    EXPECT_EQ(c->kind, p.kind) << p.control;
    EXPECT_EQ(c->rect, p.where) << p.control;
    EXPECT_EQ(c->text, p.text) << p.control;
  }
  const MemoryGui::Control* info = gui.control(kEditInfo);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->kind, K::SunkenStaticText);
  EXPECT_EQ(info->rect, (Rect{310, 5, 200, 205}));
}

}  // namespace
}  // namespace qk::test
