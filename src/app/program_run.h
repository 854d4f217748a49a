#pragma once
// Start-up, the event loop and shut-down of the program.
#include <string>

#include "ui/main/program.h"

namespace qk {

// The first command-line parameter: blanks separate parameters; a quoted
// parameter may hold blanks and is taken without its quotes. `commandLine`
// is what follows the program's name (WinMain's lpCmdLine).
std::string firstParameter(const std::string& commandLine);

// Start-up steps 2 to 15. Returns false when window 1 cannot be created (the
// program then ends at once).
bool startProgram(Program& program, const std::string& commandLine);

// Handles one event. Returns false when the loop must end (a close event,
// after the saves).
bool handleEvent(Program& program, const Event& event);

// waitEvent and handleEvent until the loop ends.
void runEventLoop(Program& program);

}  // namespace qk
