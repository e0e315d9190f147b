// A private home folder whose q.ini holds a given text, read afresh while it lives and
// forgotten after, for tests of configuration keys such as "X11_ERRORS".
#pragma once

#include "tests/support/private_home.h"

#include "foundation/ini.h"
#include "foundation/process_environment.h"

#include <fstream>

class IniHome {
public:
    explicit IniHome(const char* text)
    {
        std::ofstream(home.Path() + "/q.ini") << text;
        Reload();
    }
    ~IniHome() { Reload(); }

private:
    PrivateHome home;
    static void Reload()
    {
        Qor::ForgetHomeFolder();
        Qor::ini_version++;
    }
};
