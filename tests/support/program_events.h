#pragma once
// Events handed to the program's loop as the windows would report them.
#include "app/program_run.h"
#include "platform/gui.h"
#include "ui/main/ids.h"
#include "ui/main/program.h"

namespace qk::test {

// A control event of window 1 (a click on a button, a view's event type).
inline bool pressMainControl(Program& program, int control, int type = 0) {
  Event event;
  event.kind = kEventControl;
  event.window = kMainWindow;
  event.control = control;
  event.type = type;
  return handleEvent(program, event);
}

// The user asks to close window 1. Returns what the loop returns: false, the
// loop ends.
inline bool closeMainWindow(Program& program) {
  Event event;
  event.kind = kEventClose;
  event.window = kMainWindow;
  return handleEvent(program, event);
}

}  // namespace qk::test
