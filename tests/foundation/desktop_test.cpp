// Desktop integration: the desktop kind from the environment, the XDG user
// folders from sample files in temporary configuration folders, and the browser
// search and launch with stand-in browsers on PATH.
#include "foundation/desktop.h"

#include "foundation/process_environment.h"

#include <gtest/gtest.h>
#include "tests/support/printers.h"
#include "tests/support/temp_folder.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace Qor;

namespace {

bool Exists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& data, mode_t mode = 0644)
{
    std::ofstream(path, std::ios::binary) << data;
    chmod(path.c_str(), mode);
}

// Every variable a case touches is put back as it was, unset ones unset.
class DesktopTest : public testing::Test {
protected:
    void TearDown() override
    {
        for(auto& [name, value] : saved)
            if(value.first)
                setenv(name.c_str(), value.second.c_str(), 1);
            else
                unsetenv(name.c_str());
        ForgetHomeFolder();
    }

    // nullptr unsets the variable.
    void SetEnv(const char* name, const char* value)
    {
        if(!saved.count(name)) {
            const char* old = std::getenv(name);
            saved[name] = {old != nullptr, old ? old : ""};
        }
        if(value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    void SetEnv(const char* name, const std::string& value) { SetEnv(name, value.c_str()); }

    std::string MakeFolder(const std::string& name)
    {
        std::string path = folder + "/" + name;
        EXPECT_EQ(mkdir(path.c_str(), 0755), 0) << path;
        return path;
    }

    TempFolder scratch{"qor_desktop"};
    std::string folder = scratch.Path();
    std::map<std::string, std::pair<bool, std::string>> saved;
};

struct KindCase {
    const char* gnome_id;
    const char* kde_full;
    const char* kde_dir;
    const char* session;
    const char* expected;
};

TEST_F(DesktopTest, KindFromEnvironment)
{
    const KindCase cases[] = {
        {"this-is-deprecated", nullptr, nullptr, "xfce", "gnome"},
        {"1", "true", "/opt/kde", "plasma", "gnome"},
        {"", nullptr, "/opt/kde", nullptr, "kde"}, // an empty value does not count
        {nullptr, "true", nullptr, "gnome", "kde"},
        {"", "", "", "xfce", "xfce"},
        {nullptr, nullptr, nullptr, "LXDE", "LXDE"},
        {nullptr, nullptr, nullptr, nullptr, ""},
    };
    for(const KindCase& c : cases) {
        SCOPED_TRACE(c.expected);
        SetEnv("GNOME_DESKTOP_SESSION_ID", c.gnome_id);
        SetEnv("KDE_FULL_SESSION", c.kde_full);
        SetEnv("KDEDIR", c.kde_dir);
        SetEnv("DESKTOP_SESSION", c.session);
        EXPECT_EQ(Std(DesktopKind()), c.expected);
    }
}

const char* const sample_dirs =
    "# written by the user folders tool\n"
    "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
    "XDG_MUSIC_DIR=\"$HOMEX/a\"\n"
    "XDG_PICTURES_DIR=\"${HOME}/Bilder\"\n"
    "XDG_VIDEOS_DIR=\"/only/start\n"
    "XDG_DOCUMENTS_DIR=/plain/path\n"
    "XDG_DOWNLOAD_DIR=Downloads\n"
    "K_UNSET=$QOR_TEST_UNSET/m\n"
    "K_DIGIT=$1x\n"
    "K_TAIL=a$\n"
    "K_ID_CHARS=$QOR_V_2.b\n"
    "K_SPACED =  \"$HOME\"  \n"
    "K_TWO=$HOME$HOMEX\n"
    "\n[other]\nK_SECTION=/in/section\n";

TEST_F(DesktopTest, ReadValuesUnquotedAndExpanded)
{
    std::string file = folder + "/user-dirs.dirs";
    WriteFile(file, sample_dirs);
    SetEnv("HOME", "/home/u");
    SetEnv("HOMEX", "/x");
    SetEnv("QOR_V_2", "v");
    SetEnv("QOR_TEST_UNSET", nullptr);
    const std::pair<const char*, const char*> cases[] = {
        {"XDG_DESKTOP_DIR", "/home/u/Schreibtisch"},
        {"XDG_MUSIC_DIR", "/x/a"},             // the name runs on past "HOME"
        {"XDG_PICTURES_DIR", "${HOME}/Bilder"}, // braces are not understood
        {"XDG_VIDEOS_DIR", "/only/start"},     // a quote at the start only
        {"XDG_DOCUMENTS_DIR", "/plain/path"},
        {"XDG_DOWNLOAD_DIR", "Downloads"},     // relative, unchanged
        {"K_UNSET", "/m"},
        {"K_DIGIT", "$1x"},
        {"K_TAIL", "a$"},
        {"K_ID_CHARS", "v.b"},
        {"K_SPACED", "/home/u"},
        {"K_TWO", "/home/u/x"},
        {"K_SECTION", ""}, // only the lines before any section count
        {"MISSING", ""},
    };
    for(auto [key, expected] : cases) {
        SCOPED_TRACE(key);
        EXPECT_EQ(Std(ReadUserDirsValue(file.c_str(), key)), expected);
    }
    EXPECT_EQ(Std(ReadUserDirsValue((folder + "/absent").c_str(), "XDG_DESKTOP_DIR")), "");
    EXPECT_EQ(Std(ReadUserDirsValue("", "XDG_DESKTOP_DIR")), "");
}

TEST_F(DesktopTest, GettersFromConfigHome)
{
    std::string home = MakeFolder("config");
    WriteFile(home + "/user-dirs.dirs", sample_dirs);
    SetEnv("XDG_CONFIG_HOME", home);
    SetEnv("XDG_CONFIG_DIRS", MakeFolder("empty"));
    SetEnv("HOME", "/home/u");
    SetEnv("HOMEX", "/x");
    EXPECT_EQ(Std(DesktopFolder()), "/home/u/Schreibtisch");
    EXPECT_EQ(Std(MusicFolder()), "/x/a");
    EXPECT_EQ(Std(PicturesFolder()), "${HOME}/Bilder");
    EXPECT_EQ(Std(VideosFolder()), "/only/start");
    EXPECT_EQ(Std(DocumentsFolder()), "/plain/path");
    EXPECT_EQ(Std(DownloadFolder()), "Downloads");
}

TEST_F(DesktopTest, GettersFallBackToDefaultsKeys)
{
    std::string dirs = MakeFolder("xdg");
    WriteFile(dirs + "/user-dirs.defaults",
              "DESKTOP=Desktop\nMUSIC=Music\nPICTURES=Pictures\nVIDEOS=Videos\n"
              "DOCUMENTS=Documents\nDOWNLOAD=Downloads\n");
    SetEnv("XDG_CONFIG_HOME", MakeFolder("config"));
    SetEnv("XDG_CONFIG_DIRS", dirs);
    EXPECT_EQ(Std(DesktopFolder()), "Desktop");
    EXPECT_EQ(Std(MusicFolder()), "Music");
    EXPECT_EQ(Std(PicturesFolder()), "Pictures");
    EXPECT_EQ(Std(VideosFolder()), "Videos");
    EXPECT_EQ(Std(DocumentsFolder()), "Documents");
    EXPECT_EQ(Std(DownloadFolder()), ""); // no short key for the download folder

    // The dirs variable is one folder: a list is not split.
    SetEnv("XDG_CONFIG_DIRS", folder + "/empty:" + dirs);
    EXPECT_EQ(Std(MusicFolder()), "");
}

TEST_F(DesktopTest, GettersWithoutAnyFile)
{
    SetEnv("XDG_CONFIG_HOME", MakeFolder("config"));
    SetEnv("XDG_CONFIG_DIRS", MakeFolder("xdg"));
    EXPECT_EQ(Std(DesktopFolder()), Std(HomeFolder()) + "/Desktop");
    EXPECT_EQ(Std(MusicFolder()), "");
    EXPECT_EQ(Std(PicturesFolder()), "");
    EXPECT_EQ(Std(VideosFolder()), "");
    EXPECT_EQ(Std(DocumentsFolder()), "");
    EXPECT_EQ(Std(DownloadFolder()), "");
}

TEST_F(DesktopTest, ConfigHomeDefaultsToHomeConfig)
{
    std::string config = MakeFolder(".config");
    WriteFile(config + "/user-dirs.dirs", "XDG_MUSIC_DIR=\"$HOME/Musik\"\n");
    SetEnv("HOME", folder);
    SetEnv("XDG_CONFIG_HOME", "");
    SetEnv("XDG_CONFIG_DIRS", MakeFolder("xdg"));
    ForgetHomeFolder();
    EXPECT_EQ(Std(MusicFolder()), folder + "/Musik");
}

TEST_F(DesktopTest, UserDirsFileOrder)
{
    std::string home = MakeFolder("config");
    std::string dirs = MakeFolder("xdg");
    struct Case {
        bool home_dirs, dirs_defaults, dirs_dirs;
        std::string expected;
    };
    const Case cases[] = {
        {true, true, true, home + "/user-dirs.dirs"},
        {false, true, true, dirs + "/user-dirs.defaults"},
        {false, false, true, dirs + "/user-dirs.dirs"},
        {false, false, false, ""},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        unlink((home + "/user-dirs.dirs").c_str());
        unlink((dirs + "/user-dirs.defaults").c_str());
        unlink((dirs + "/user-dirs.dirs").c_str());
        if(c.home_dirs)
            WriteFile(home + "/user-dirs.dirs", "");
        if(c.dirs_defaults)
            WriteFile(dirs + "/user-dirs.defaults", "");
        if(c.dirs_dirs)
            WriteFile(dirs + "/user-dirs.dirs", "");
        EXPECT_EQ(Std(FindUserDirsFile(home.c_str(), dirs.c_str())), c.expected);
    }
    // A folder of that name is no file.
    MakeFolder("config/user-dirs.dirs");
    WriteFile(dirs + "/user-dirs.defaults", "");
    EXPECT_EQ(Std(FindUserDirsFile(home.c_str(), dirs.c_str())), dirs + "/user-dirs.defaults");
}

// A stand-in browser that records how it was called: its path, then each
// argument on a line, then END once everything is written.
void MakeStandIn(const std::string& path, const std::string& record, bool executable = true)
{
    WriteFile(path,
              "#!/bin/sh\n"
              "printf '%s\\n' \"$0\" \"$@\" > '" + record + "'\n"
              "echo END >> '" + record + "'\n"
              "/bin/sleep 2\n",
              executable ? 0755 : 0644);
}

std::string WaitForRecord(const std::string& record)
{
    for(int i = 0; i < 500; i++) {
        std::string text = ReadFile(record);
        if(text.size() >= 4 && text.compare(text.size() - 4, 4, "END\n") == 0)
            return text;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return ReadFile(record);
}

struct SearchCase {
    std::vector<std::pair<int, const char*>> stand_ins; // PATH folder index, name
    std::vector<const char*> not_executable;             // in folder 0
    int expected_folder;
    const char* expected_name; // nullptr: none found
};

TEST_F(DesktopTest, BrowserSearchOrder)
{
    const SearchCase cases[] = {
        {{{0, "firefox"}, {0, "xdg-open"}}, {}, 0, "xdg-open"},
        {{{0, "netscape"}, {1, "opera"}}, {}, 1, "opera"},
        {{{0, "firefox"}, {1, "htmlview"}}, {}, 1, "htmlview"}, // the candidate order beats the PATH order
        {{{0, "galeon"}}, {"htmlview", "xdg-open"}, 0, "galeon"},
        {{{0, "x-www-browser"}, {1, "x-www-browser"}}, {}, 0, "x-www-browser"},
        {{{0, "konqueror"}, {1, "epiphany"}}, {}, 0, "konqueror"},
        {{{0, "chromium"}}, {"firefox"}, 0, nullptr},
    };
    int n = 0;
    for(const SearchCase& c : cases) {
        SCOPED_TRACE(n);
        std::string bin[2] = {MakeFolder("bin" + std::to_string(n) + "a"), MakeFolder("bin" + std::to_string(n) + "b")};
        n++;
        for(auto [index, name] : c.stand_ins)
            MakeStandIn(bin[index] + "/" + name, folder + "/record");
        for(const char* name : c.not_executable)
            MakeStandIn(bin[0] + "/" + name, folder + "/record", false);
        SetEnv("PATH", bin[0] + ":" + bin[1]);
        EXPECT_EQ(Std(FindBrowser()), c.expected_name ? bin[c.expected_folder] + "/" + c.expected_name : "");
    }
    SetEnv("PATH", nullptr);
    EXPECT_EQ(Std(FindBrowser()), "");
}

TEST_F(DesktopTest, UrlReachesBrowserAsOneArgumentWithoutShell)
{
    std::string bin = MakeFolder("bin");
    std::string record = folder + "/record";
    MakeStandIn(bin + "/htmlview", record, false); // present but not runnable
    MakeStandIn(bin + "/xdg-open", record);
    MakeStandIn(bin + "/firefox", record);
    SetEnv("PATH", bin);
    std::string pwned = folder + "/pwned";
    // By full path: PATH holds only the stand-ins, and a shell must find touch.
    std::string touch = Exists("/usr/bin/touch") ? "/usr/bin/touch " : "/bin/touch ";
    const std::string urls[] = {
        "http://example.com/a?b=1&c=2",
        "x;" + touch + pwned,
        "$(" + touch + pwned + ")",
        "`" + touch + pwned + "`",
        "a b'\"c | " + touch + pwned + " &",
    };
    for(const std::string& url : urls) {
        SCOPED_TRACE(url);
        unlink(record.c_str());
        auto begin = std::chrono::steady_clock::now();
        OpenUrlInBrowser(url.c_str());
        // The stand-in sleeps after recording: the call must not wait for it.
        EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::milliseconds(1500));
        EXPECT_EQ(WaitForRecord(record), bin + "/xdg-open\n" + url + "\nEND\n");
        EXPECT_FALSE(Exists(pwned));
    }
}

TEST_F(DesktopTest, NoBrowserDoesNothing)
{
    std::string bin = MakeFolder("bin");
    MakeStandIn(bin + "/firefox", folder + "/record", false);
    SetEnv("PATH", bin);
    OpenUrlInBrowser("http://example.com");
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(Exists(folder + "/record"));
}

} // namespace
