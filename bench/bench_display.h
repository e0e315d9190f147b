// The display the window-system benchmarks open once per process.
#pragma once

#include "ctrl/x11/display/x11_display.h"

#include <cstdio>
#include <cstdlib>

namespace QorBench {

// Opens the display of DISPLAY the first time; false (with a line naming program) without one.
inline bool OpenBenchDisplay(const char* program)
{
    static bool ok = [program] {
        if(!std::getenv("DISPLAY")) {
            std::fprintf(stderr, "%s: no DISPLAY; run it under Xvfb (. tools/xvfb.sh)\n", program);
            return false;
        }
        Qor::SetupDisplay();
        return Qor::display != nullptr;
    }();
    return ok;
}

} // namespace QorBench
