// The panic box's time limit, adjustable so that tests need not wait for the real one.
#pragma once

namespace Qor {

// Replaces the time after which the panic box closes by itself; returns the earlier one.
int SetPanicBoxTimeLimit(int ms);
// True while a fatal signal (one that panics) is being handled.
bool InFatalSignalHandler();

} // namespace Qor
