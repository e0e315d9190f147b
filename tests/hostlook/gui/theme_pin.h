// GTK 2 themes pinned for the host look's tests: an empty home, an rc file naming the
// theme, font and icon theme, and a private icon folder; and the runs of a test on a private
// X server under such a theme.
#pragma once

#include "tests/support/temp_folder.h"

#include <string>
#include <utility>
#include <vector>

namespace QorTest {

struct PinnedTheme {
    std::string theme = "Raleigh";
    std::string font = "Sans 10";
    // Extra rc text after the settings (styles of a made-up theme).
    std::string rc;
    // Extra environment: name and value (an empty value unsets it).
    std::vector<std::pair<std::string, std::string>> environment;
};

// A theme on a GNOME-like or a KDE-like desktop, as the parameter of a read-back test.
struct ThemeCase {
    const char* theme;
    bool kde;
};

// The theme of c, with the environment its desktop announces itself by.
PinnedTheme PinOnDesktop(const ThemeCase& c);
// The test name of c: "RaleighGnome", "CruxKde".
std::string ThemeCaseName(const ThemeCase& c);

// Sets HOME, GTK2_RC_FILES, XDG_DATA_HOME and the extra variables for a theme and puts the
// earlier values back when it ends. Must be made before GTK starts in the process that
// reads them.
class ThemeEnvironment {
public:
    explicit ThemeEnvironment(const PinnedTheme& theme);
    ~ThemeEnvironment();
    ThemeEnvironment(const ThemeEnvironment&) = delete;
    ThemeEnvironment& operator=(const ThemeEnvironment&) = delete;

    // The private icon theme folder ($XDG_DATA_HOME/icons/hicolor).
    std::string IconFolder() const { return folder.Path("data/icons/hicolor"); }

private:
    TempFolder folder{ "qor_hostlook" };
    std::vector<std::pair<std::string, std::pair<bool, std::string>>> saved;

    void Set(const std::string& name, const std::string& value);
};

// Runs the current test again on a private Xvfb under the theme (see private_server_run.h);
// true in the child, which then runs the checks.
bool RunUnderTheme(const PinnedTheme& theme, int limit_ms = 60000);

// The test icons qor-test-big (64 x 64), qor-test-small (12 x 12) in the 16 pixel folder
// and qor-test-wide (96 x 48) in the 48 pixel folder of the icon theme folder.
void WriteTestIcons(const std::string& icon_folder);

// The resources a desktop puts on the root window for Xft (dpi, antialiasing, hinting); the
// connection that set them stays open, so the server keeps them.
void SetRootResources(const char* resources);

} // namespace QorTest
