// The last line of defence: orderly panic, fatal-signal handlers, the guarded
// program body, and a few process services (clock, sleep, permanent copies).
#pragma once

#include "foundation/types.h"

namespace Qor {

using FatalMessageHook = void (*)(const char* caption, const char* text);

// Ends the process (log, message, abort); returns only when a panic is already under way.
void RaisePanic(const char* text);
bool IsPanicking();
void SetFatalMessageHook(FatalMessageHook hook);
void ShowFatalMessage(const char* caption, const char* text);

void OnIllegalInstruction(int);
void OnInvalidMemoryAccess(int);
void OnArithmeticError(int);

// Runs body; an escaping Exc panics with its text, an ExitExc ends it quietly.
void RunProgramBody(void (*body)());

uint32 MonotonicMs();
void SleepMs(int ms);
char* PermanentStrDup(const char* text);

} // namespace Qor
