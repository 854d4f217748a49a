// quellkiste.exe: the real windows and the real file system around the
// portable program.
#include <memory>

#include "app/program_run.h"
#include "platform/system.h"
#include "platform/win32/win32_gui.h"
#include "ui/main/program.h"

int main() {
  qk::Win32Gui gui;
  std::unique_ptr<qk::System> system = qk::makeSystem();
  qk::Program program(gui, *system);
  if (qk::startProgram(program, qk::commandLineParameters())) qk::runEventLoop(program);
  return 0;
}
