// A private icon theme for the file selector's GUI tests: solid-coloured 16 x 16 PNG icons
// under $XDG_DATA_HOME/icons/hicolor, installed before the process first asks GTK for an
// icon, so that every test of the process sees the same theme whatever runs first.
#pragma once

#include "foundation/values/color.h"

#include <string>

namespace QorTest {

// The colour of each icon of the theme; names without "gnome-".
struct ThemeIcon {
    const char* name;
    Qor::Color color;
};

// Every icon the test theme holds. "mime-image-png" and "dev-floppy" are left out on
// purpose, so their fall-backs show.
extern const ThemeIcon TEST_THEME_ICONS[];
extern const int TEST_THEME_ICON_COUNT;
// The colour of a test theme icon by name (without "gnome-"); Null when the theme lacks it.
Qor::Color TestThemeColor(const char* name);
// The folder that XDG_DATA_HOME names.
const std::string& TestThemeDataHome();

} // namespace QorTest
