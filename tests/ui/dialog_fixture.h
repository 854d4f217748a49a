#pragma once
// What the dialog tests share: a program on the in-memory GUI with the main
// window and its controls, the real file system with files in a scratch
// folder, and a way to press a dialog's controls.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/memory/memory_gui.h"
#include "platform/system.h"
#include "sources/catalog_paths.h"
#include "support/test_files.h"
#include "ui/dialogs/dialogs.h"
#include "ui/main/ids.h"
#include "ui/main/main_window.h"
#include "ui/main/program.h"

namespace qk::test {

// Parameterised cases carry a `name`, used for the test name and as the
// printed value (so ctest names stay readable and stable).
struct CaseName {
  template <typename Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
    return info.param.name;
  }
};

class DialogTest : public ::testing::Test {
 public:
  DialogTest() {
    gui.openMainWindow("Quellkiste", kMainMinWidth, kMainMinHeight);
    createMainControls(program);
    // Relative locations then resolve against the working directory.
    program.catalog.baseDirectory = readBaseDirectory(*system);
  }

  // A file of `lines` lines in the scratch folder; returns its full path.
  std::string sourceFile(const std::string& name, int lines) {
    std::string bytes;
    for (int i = 0; i < lines; ++i) bytes += "zeile\r\n";
    const std::string path = dir.file(name);
    writeBytes(path, bytes);
    return path;
  }

  // A control event of a dialog's control, handed to the dialogs' dispatch.
  void press(int control) {
    Event event;
    event.kind = kEventControl;
    event.control = control;
    if (const MemoryGui::Control* c = gui.control(control)) event.window = c->window;
    EXPECT_TRUE(handleDialogEvent(program, event)) << "control " << control;
  }

  CatalogEntry* entry(int32_t entryIndex) {
    if (!findEntry(program.catalog, entryIndex)) return nullptr;
    return program.catalog.entries.currentElement();
  }

  std::vector<std::string> rows(int control) {
    const MemoryGui::Control* c = gui.control(control);
    return c == nullptr ? std::vector<std::string>{} : c->rows;
  }

  // The texts of a tree's items, in row order.
  std::vector<std::string> treeTexts(int control) {
    std::vector<std::string> texts;
    if (const MemoryGui::Control* c = gui.control(control)) {
      for (const MemoryGui::TreeItem& item : c->items) texts.push_back(item.text);
    }
    return texts;
  }

  MemoryGui gui;
  std::unique_ptr<System> system = makeSystem();
  Program program{gui, *system};
  ScratchDir dir;
};

}  // namespace qk::test
