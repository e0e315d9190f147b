// The file selector tests' private icon theme, written as PNG files at start-up.
#include "tests/filesel/gui/icons_theme_fixture.h"

#include <zlib.h>

#include <cstdlib>
#include <system_error>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace QorTest {

using Qor::Color;

const ThemeIcon TEST_THEME_ICONS[] = {
    { "mime-text-plain", Color(255, 0, 0) }, { "mime-image", Color(0, 160, 0) },     { "fs-regular", Color(0, 0, 255) },
    { "fs-executable", Color(255, 255, 0) }, { "fs-directory", Color(0, 255, 255) }, { "fs-home", Color(255, 0, 255) },
    { "fs-desktop", Color(255, 128, 0) },    { "dev-computer", Color(128, 0, 0) },   { "dev-cdrom", Color(0, 0, 128) },
    { "dev-harddisk", Color(128, 128, 0) },
};
const int TEST_THEME_ICON_COUNT = sizeof(TEST_THEME_ICONS) / sizeof(TEST_THEME_ICONS[0]);

Color TestThemeColor(const char* name)
{
    for(const ThemeIcon& i : TEST_THEME_ICONS)
        if(std::string(i.name) == name)
            return i.color;
    return Color();
}

namespace {

void Chunk(std::string& png, const char* type, const std::string& data)
{
    auto be32 = [&](uint32_t v) {
        for(int s = 24; s >= 0; s -= 8)
            png += (char)(v >> s);
    };
    be32((uint32_t)data.size());
    std::string body = std::string(type, 4) + data;
    png += body;
    be32((uint32_t)crc32(0, (const Bytef*)body.data(), (uInt)body.size()));
}

// A 16 x 16 opaque RGB image of one colour.
std::string SolidPng(Color c)
{
    std::string raw;
    for(int y = 0; y < 16; y++) {
        raw += '\0';
        for(int x = 0; x < 16; x++) {
            Qor::dword bits = c.GetPacked();
            raw += (char)(bits & 255);
            raw += (char)((bits >> 8) & 255);
            raw += (char)((bits >> 16) & 255);
        }
    }
    std::vector<Bytef> z(compressBound((uLong)raw.size()));
    uLongf zn = (uLongf)z.size();
    compress(z.data(), &zn, (const Bytef*)raw.data(), (uLong)raw.size());
    std::string png = "\x89PNG\r\n\x1A\n";
    std::string ihdr = std::string("\0\0\0\x10\0\0\0\x10\x08\x02\0\0\0", 13);
    Chunk(png, "IHDR", ihdr);
    Chunk(png, "IDAT", std::string((const char*)z.data(), zn));
    Chunk(png, "IEND", "");
    return png;
}

std::string MakeTheme()
{
    char pattern[] = "/tmp/qor_filesel_icons_XXXXXX";
    if(!mkdtemp(pattern))
        return std::string();
    std::string home = pattern;
    std::string icons = home + "/icons/hicolor/16x16/mimetypes";
    std::filesystem::create_directories(icons);
    for(const ThemeIcon& i : TEST_THEME_ICONS)
        std::ofstream(icons + "/gnome-" + i.name + ".png", std::ios::binary) << SolidPng(i.color);
    setenv("XDG_DATA_HOME", home.c_str(), 1);
    return home;
}

// Removed with everything in it at exit.
struct ThemeFolder {
    std::string path = MakeTheme();
    ~ThemeFolder()
    {
        std::error_code ignored;
        if(!path.empty())
            std::filesystem::remove_all(path, ignored);
    }
};

} // namespace

const std::string& TestThemeDataHome()
{
    static ThemeFolder theme;
    return theme.path;
}

// Before main: GLib reads XDG_DATA_HOME once, at its first use.
[[maybe_unused]] const bool theme_installed = !TestThemeDataHome().empty();

} // namespace QorTest
