// Lorvane's entry: the framework's start-up, the program body and the shutdown.
#include "app/lorvane.h"
#include "ctrl/x11/startup/window_system.h"
#include "foundation/app_startup.h"
#include "foundation/panic.h"
#include "hostlook/registrations.h"

using namespace Qor;

int main(int argc, char** argv, char** envp)
{
    ProcessStartUp(argc, argv, envp);
    InitWindowSystem();
    RunProgramBody(LookupMain);
    ExitWindowSystem();
    ClearMainRunning();
    return GetExitCode();
}
