// Process start-up: the routine the program's entry point calls first, the
// main-running flag that turns system-charset conversion on while the program
// body runs, and the process exit code.
#pragma once

#include "foundation/types.h"

namespace Qor {

// In this order: language en-US (so UTF-8 becomes the default charset), the
// copy of argv[0], the environment and the arguments as 16-bit texts, the
// start-up options step (which ends with the main-running flag set) and the
// fatal-signal handlers for SIGILL, SIGSEGV, SIGBUS and SIGFPE.
void ProcessStartUp(int argc, char** argv, char** envp);

bool IsMainRunning();
// Sets the flag and turns on conversion to and from the system language's
// charset; the last act of the start-up options step.
void SetMainRunning();
// Called by the entry point after the window-system shutdown.
void ClearMainRunning();

// The status the entry point returns; nothing in the system changes it.
int GetExitCode();

// The start-up options step (translation files of the home folder and the
// export option) lives in the translation layer, which registers it here.
// Without a hook the step only reads the home folder and sets the flag. A hook
// must call SetMainRunning when the process goes on.
using StartUpOptionsHook = void (*)();
void SetStartUpOptionsHook(StartUpOptionsHook hook);

} // namespace Qor
