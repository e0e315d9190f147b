// Installs a test window system for a scope; the one installed before comes back at its end.
#pragma once

#include "ctrl/platform/platform.h"

namespace QorTest {

class PlatformScope {
public:
    explicit PlatformScope(Qor::Platform& platform) : saved(Qor::InstallPlatform(&platform)) {}
    ~PlatformScope() { Qor::InstallPlatform(saved); }
    PlatformScope(const PlatformScope&) = delete;
    PlatformScope& operator=(const PlatformScope&) = delete;

private:
    Qor::Platform* saved;
};

} // namespace QorTest
