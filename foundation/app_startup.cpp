// The start-up sequence, the main-running flag and the exit code.
#include "foundation/app_startup.h"

#include "foundation/panic.h"
#include "foundation/process_environment.h"
#include "foundation/system_text.h"
#include "foundation/values/translate.h"

#include <csignal>

namespace Qor {

static bool s_main_running = false;
static int s_exit_code = 0;
static StartUpOptionsHook s_options_hook = nullptr;

bool IsMainRunning() { return s_main_running; }

void SetMainRunning()
{
    s_main_running = true;
    SetSystemCharset(GetLanguageCharset(SystemLanguage()));
    SetSystemTextActive(true);
}

void ClearMainRunning()
{
    s_main_running = false;
    SetSystemTextActive(false);
}

int GetExitCode() { return s_exit_code; }

void SetStartUpOptionsHook(StartUpOptionsHook hook) { s_options_hook = hook; }

static void RunStartUpOptions()
{
    if(s_options_hook) {
        s_options_hook();
        return;
    }
    // The home folder is first read here, before conversion is switched on.
    HomeFolder();
    SetMainRunning();
}

void ProcessStartUp(int argc, char** argv, char** envp)
{
    SetLanguage(LANGUAGE_EN_US);
    StoreArgv0(argc > 0 && argv ? argv[0] : "");
    for(char** entry = envp; entry && *entry; entry++)
        StoreEnvironmentEntry(*entry);
    for(int i = 1; i < argc; i++)
        StoreArgument(argv[i]);
    RunStartUpOptions();
    signal(SIGILL, OnIllegalInstruction);
    signal(SIGSEGV, OnInvalidMemoryAccess);
    signal(SIGBUS, OnInvalidMemoryAccess);
    signal(SIGFPE, OnArithmeticError);
}

} // namespace Qor
