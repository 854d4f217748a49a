#pragma once
// The state the event loop owns for the whole run, handed to every handler.
#include "catalog/catalog.h"
#include "catalog/settings.h"
#include "platform/gui.h"
#include "platform/system.h"

namespace qk {

struct Program {
  Program(Gui& g, System& s) : gui(g), system(s) {}
  Gui& gui;
  System& system;
  Catalog catalog;
  Options options;
  // Set at start-up when autosave.ksf existed but did not load cleanly: the
  // first save of the run keeps it as autosave.ksf.bak and later saves of the
  // run leave that backup alone.
  bool autosaveLoadFailed = false;
  bool damagedAutosaveBackedUp = false;
};

}  // namespace qk
