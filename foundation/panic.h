// The last line of defence: orderly panic, fatal-signal handlers and the
// guarded program body.
#pragma once

#include "foundation/process.h" // clock, sleep and permanent copies used to live here
#include "foundation/types.h"

namespace Qor {

using FatalMessageHook = void (*)(const char* caption, const char* text);

// Ends the process (signal actions reset, log, message, abort); returns to
// its caller only when a panic is already under way.
void RaisePanic(const char* text);
bool IsPanicking();
// Replaces any earlier hook; null restores the default output on descriptor 2.
void SetFatalMessageHook(FatalMessageHook hook);
// Sets the panicking flag and shows the text through the hook or on descriptor 2.
void ShowFatalMessage(const char* caption, const char* text);

// Fatal-signal handlers, installed by start-up; the argument is ignored.
void OnIllegalInstruction(int);
void OnInvalidMemoryAccess(int);
void OnArithmeticError(int);

// Runs body; an escaping Exc panics with its text, an ExitExc ends it
// quietly, anything else passes through.
void RunProgramBody(void (*body)());

// Where the panic block goes in the log. RaisePanic hands it over in pieces
// ("****************** PANIC: ", the text, "\n", "\n") so that no memory is
// taken while the heap itself may be what failed. The start state is the
// process log (WritePanicToLog), opened on first use; null logs nothing.
using PanicLogWriter = void (*)(const char* text);
void SetPanicLogWriter(PanicLogWriter writer);

} // namespace Qor
