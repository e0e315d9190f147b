// The check of the registration programs: each failed check is reported and counted, and
// the program's exit code says whether any failed.
#pragma once

#include <cstdio>
#include <string>

namespace QorRegistration {

inline int checks = 0;
inline int failures = 0;

inline void Check(bool ok, const std::string& what)
{
    checks++;
    if(!ok) {
        std::fprintf(stderr, "FAILED: %s\n", what.c_str());
        failures++;
    }
}

// Prints the count under the program's name; the exit code: 0 when every check passed.
inline int Finish(const char* name)
{
    std::printf("%s: %d passed, %d failed\n", name, checks - failures, failures);
    return failures ? 1 : 0;
}

} // namespace QorRegistration
