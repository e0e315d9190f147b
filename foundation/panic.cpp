// Panic, fatal-signal handlers and the guarded program body.
#include "foundation/panic.h"

#include "foundation/exc.h"
#include "foundation/log.h"

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace Qor {

static bool panicking;
static FatalMessageHook fatal_message_hook;
// Constant-initialised: a panic before or without start-up still reaches the log.
static PanicLogWriter panic_log_writer = WritePanicToLog;

bool IsPanicking() { return panicking; }

void SetFatalMessageHook(FatalMessageHook hook) { fatal_message_hook = hook; }

void SetPanicLogWriter(PanicLogWriter writer) { panic_log_writer = writer; }

void ShowFatalMessage(const char* caption, const char* text)
{
    panicking = true;
    if(fatal_message_hook) {
        fatal_message_hook(caption, text);
        return;
    }
    // Nothing can be done about a failed write here; the caption is not shown.
    if(write(2, text, std::strlen(text)) < 0) {}
    if(write(2, "\n", 1) < 0) {}
}

void RaisePanic(const char* text)
{
    // A fault in the rest of this routine must end the process by the
    // default action instead of re-entering the handlers.
    signal(SIGILL, SIG_DFL);
    signal(SIGSEGV, SIG_DFL);
    signal(SIGBUS, SIG_DFL);
    signal(SIGFPE, SIG_DFL);
    if(panicking)
        return;
    panicking = true; // the log already sees the panic while it writes
    if(panic_log_writer) {
        panic_log_writer("****************** PANIC: ");
        panic_log_writer(text);
        panic_log_writer("\n");
        panic_log_writer("\n");
    }
    ShowFatalMessage("Fatal error", text);
    std::abort();
}

void OnIllegalInstruction(int) { RaisePanic("Illegal instruction!"); }
void OnInvalidMemoryAccess(int) { RaisePanic("Invalid memory access!"); }
void OnArithmeticError(int) { RaisePanic("Invalid arithmetic operation!"); }

void RunProgramBody(void (*body)())
{
    try {
        body();
    }
    catch(const Exc& e) {
        // Only the message text counts, whatever class derived from Exc.
        String text = e;
        RaisePanic(text.Begin());
    }
    catch(const ExitExc&) {
    }
}

} // namespace Qor
