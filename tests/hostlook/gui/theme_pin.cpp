// GTK 2 themes pinned for the host look's tests.

#include "tests/hostlook/gui/theme_pin.h"

#include "tests/support/x11/private_server_run.h"

#include "foundation/process_environment.h"

#include "ctrl/x11/display/xlib.h"

#include <X11/Xatom.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <unistd.h>

namespace QorTest {

ThemeEnvironment::ThemeEnvironment(const PinnedTheme& theme)
{
    std::filesystem::create_directories(IconFolder());
    std::ofstream rc(folder.Path("gtkrc"));
    rc << "gtk-theme-name = \"" << theme.theme << "\"\n"
       << "gtk-font-name = \"" << theme.font << "\"\n"
       << "gtk-icon-theme-name = \"hicolor\"\n"
       << theme.rc;
    rc.close();
    Set("HOME", folder.Path());
    Set("GTK2_RC_FILES", folder.Path("gtkrc"));
    Set("GTK_RC_FILES", "");
    Set("XDG_DATA_HOME", folder.Path("data"));
    Set("KDE_FULL_SESSION", "");
    Set("GNOME_DESKTOP_SESSION_ID", "");
    Set("KDEDIR", "");
    Set("DESKTOP_SESSION", "");
    for(const auto& v : theme.environment)
        Set(v.first, v.second);
}

void ThemeEnvironment::Set(const std::string& name, const std::string& value)
{
    const char* old = std::getenv(name.c_str());
    saved.push_back({ name, { old != nullptr, old ? old : "" } });
    if(value.empty())
        unsetenv(name.c_str());
    else
        setenv(name.c_str(), value.c_str(), 1);
}

ThemeEnvironment::~ThemeEnvironment()
{
    for(auto i = saved.rbegin(); i != saved.rend(); ++i) {
        if(i->second.first)
            setenv(i->first.c_str(), i->second.second.c_str(), 1);
        else
            unsetenv(i->first.c_str());
    }
}

PinnedTheme PinOnDesktop(const ThemeCase& c)
{
    PinnedTheme pin;
    pin.theme = c.theme;
    pin.environment = { { c.kde ? "KDE_FULL_SESSION" : "GNOME_DESKTOP_SESSION_ID",
                          c.kde ? "true" : "this-is-deprecated" } };
    return pin;
}

std::string ThemeCaseName(const ThemeCase& c) { return std::string(c.theme) + (c.kde ? "Kde" : "Gnome"); }

bool RunUnderTheme(const PinnedTheme& theme, int limit_ms)
{
    if(IsPrivateServerChild()) {
        // The environment a program's start-up stores, as the host skin reads it there.
        if(!Qor::EnvironmentTable().GetCount())
            for(char** e = environ; *e; e++)
                Qor::StoreEnvironmentEntry(*e);
        return true;
    }
    XvfbServer server(1024, 768, 24);
    ThemeEnvironment environment(theme);
    RunTestOnPrivateServer(server, limit_ms);
    return false;
}

void SetRootResources(const char* resources)
{
    ::Display* d = XOpenDisplay(nullptr);
    ASSERT_NE(d, nullptr) << "no X display for the root window's resources";
    Atom name = XInternAtom(d, "RESOURCE_MANAGER", 0);
    XChangeProperty(d, DefaultRootWindow(d), name, XA_STRING, 8, PropModeReplace, (const unsigned char*)resources,
                    (int)std::strlen(resources));
    XSync(d, 0);
    // Kept open: a server whose last client leaves forgets the root window's properties.
    static ::Display* keeper = nullptr;
    if(keeper)
        XCloseDisplay(keeper);
    keeper = d;
}

} // namespace QorTest
