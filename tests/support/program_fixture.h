#pragma once
// A Program on the in-memory GUI and a ScratchSystem, for the tests of the
// main window, the views and the start-up. Header only: it is used by test
// programs that link the UI libraries and the in-memory GUI.
#include <string>

#include "catalog/catalog.h"
#include "platform/memory/memory_gui.h"
#include "support/scratch_system.h"
#include "support/test_files.h"
#include "ui/main/main_window.h"
#include "ui/main/program.h"

namespace qk::test {

template <typename GuiType = MemoryGui>
struct ProgramOn {
  ScratchDir work;
  ScratchDir profile;
  ScratchSystem system{work.path(), profile.path()};
  GuiType gui;
  Program program{gui, system};

  // Window 1 with its controls and menu 1, as start-up leaves them; the
  // size event of its opening is taken from the queue.
  void openMainWindow() {
    gui.openMainWindow("Quellkiste", kMainMinWidth, kMainMinHeight);
    createMainControls(program);
    createFolderTreeMenu(program);
    while (gui.pendingEvents() > 0) gui.waitEvent();
  }

  CatalogEntry& addEntry(const std::string& name, const std::string& location,
                         int32_t groupId = -1) {
    CatalogEntry& entry = qk::addEntry(program.catalog);
    entry.name = name;
    entry.location = location;
    entry.groupId = groupId;
    return entry;
  }

  const MemoryGui::Control& control(int id) const { return *gui.control(id); }
};

using ProgramFixture = ProgramOn<>;

}  // namespace qk::test
