// Start-up and the process environment. Every case runs the test binary again
// in a child process (execve) with its own argv, environment and current
// folder; the child starts up, writes "key=value" lines to descriptor 3 and
// the parent checks them.
#include "foundation/app_startup.h"
#include "foundation/charset.h"
#include "foundation/panic.h"
#include "foundation/path.h"
#include "foundation/process_environment.h"
#include "foundation/system_text.h"
#include "foundation/values/translate.h"

#include "tests/foundation/child_process.h"

#include <gtest/gtest.h>
#include "tests/support/printers.h"
#include "tests/support/temp_folder.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

using namespace Qor;

namespace {

const char* const CHILD_FILTER = "--gtest_filter=AppStartupChild.DISABLED_Run";
const char* const CHILD_DISABLED = "--gtest_also_run_disabled_tests";

std::string HexUnits(const WString& s)
{
    std::string out;
    char unit[8];
    for(int i = 0; i < s.GetLength(); i++) {
        std::snprintf(unit, sizeof(unit), i ? " %04x" : "%04x", s[i]);
        out += unit;
    }
    return out;
}

std::string HexBytes(const String& s)
{
    std::string out;
    char b[4];
    for(int i = 0; i < s.GetLength(); i++) {
        std::snprintf(b, sizeof(b), i ? " %02x" : "%02x", s[i]);
        out += b;
    }
    return out;
}

// ---- child side -------------------------------------------------------

class Report {
public:
    void operator()(const std::string& key, const std::string& value) { text += key + "=" + value + "\n"; }
    void operator()(const std::string& key, long value) { (*this)(key, std::to_string(value)); }
    ~Report()
    {
        const char* p = text.data();
        size_t left = text.size();
        while(left) {
            ssize_t n = write(3, p, left);
            if(n <= 0)
                break;
            p += n;
            left -= (size_t)n;
        }
    }

private:
    std::string text;
};

// The child's real argv, as the kernel got it.
std::vector<std::string> ReadCommandLine()
{
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> args;
    size_t start = 0;
    for(size_t i = 0; i < all.size(); i++)
        if(all[i] == '\0') {
            args.push_back(all.substr(start, i - start));
            start = i + 1;
        }
    return args;
}

bool HandlerIs(int sig, void (*handler)(int))
{
    struct sigaction action;
    sigaction(sig, nullptr, &action);
    return action.sa_handler == handler;
}

void ReportHandlers(Report& r, const char* prefix)
{
    r(std::string(prefix) + "SIGILL", HandlerIs(SIGILL, OnIllegalInstruction));
    r(std::string(prefix) + "SIGSEGV", HandlerIs(SIGSEGV, OnInvalidMemoryAccess));
    r(std::string(prefix) + "SIGBUS", HandlerIs(SIGBUS, OnInvalidMemoryAccess));
    r(std::string(prefix) + "SIGFPE", HandlerIs(SIGFPE, OnArithmeticError));
}

Report* s_hook_report;

// Stands in for the translation layer's step: sees the state between the
// stored arguments and the signal handlers.
void RecordingHook()
{
    Report& r = *s_hook_report;
    r("hook.main", IsMainRunning());
    r("hook.arguments", ArgumentVector().GetCount());
    r("hook.environment", EnvironmentTable().GetCount());
    r("hook.language", Std(LanguageCodeToText(GetCurrentLanguage())));
    r("hook.handlers_installed", HandlerIs(SIGILL, OnIllegalInstruction) || HandlerIs(SIGSEGV, OnInvalidMemoryAccess) ||
                                     HandlerIs(SIGBUS, OnInvalidMemoryAccess) || HandlerIs(SIGFPE, OnArithmeticError));
    SetMainRunning();
}

void ReportAll(Report& r, int argc)
{
    r("language", Std(LanguageCodeToText(GetCurrentLanguage())));
    r("charset", DefaultCharset());
    r("main", IsMainRunning());
    r("active", IsSystemTextActive());
    ReportHandlers(r, "");
    r("exit", GetExitCode());
    r("argv0.length", StartUpArgv0().GetLength());

    const KeyMap<WString, WString>& table = EnvironmentTable();
    r("env.count", table.GetCount());
    for(int i = 0; i < table.GetCount(); i++)
        r("env." + std::to_string(i), HexUnits(table.GetKey(i)) + "|" + HexUnits(table[i]));
    const KeyMap<String, String>& map = EnvironmentMap();
    for(int i = 0; i < map.GetCount(); i++)
        r("map." + Std(map.GetKey(i)), Std(map[i]));
    int path_entries = 0;
    for(int i = map.Find("PATH"); i >= 0; i = map.FindNext(i))
        path_entries++;
    r("map.PATH.count", path_entries);
    r("map.PATH.first", Std(map.Get("PATH", String())));

    // The child's own gtest flags come last; only the caller's arguments count.
    int given = argc - 3;
    r("arg.count", given);
    for(int i = 0; i < given; i++) {
        r("arg." + std::to_string(i), HexUnits(ArgumentVector()[i]));
        r("cl." + std::to_string(i), HexBytes(CommandLine()[i]));
    }

    r("exe", Std(ExecutablePath()));
    r("link", ProcExeLink());
    r("title", Std(ExecutableTitle()));
    r("search", Std(SearchExecutable(StartUpArgv0())));
    r("home", Std(HomeFolder()));
    r("home.hex", HexBytes(HomeFolder()));
    r("homefile", Std(HomeFilePath("n")));
    r("fromsys", HexBytes(FromSystemText("\xAE")));
    if(std::getenv("QOR_CONFIG")) {
        String config = ConfigFilePath("q.ini");
        r("config", Std(config));
        struct stat st;
        r("config.folder", stat(Std(FolderOfPath(config.Begin())).c_str(), &st) == 0 && S_ISDIR(st.st_mode));
    }

    // A second charset gets a map of its own; the first stays valid.
    const KeyMap<String, String>* utf8_map = &map;
    const Vector<String>* utf8_args = &CommandLine();
    SetLanguage(SetLanguageCharset(LANGUAGE_CS_CZ, FindCharset("iso8859-2")));
    const KeyMap<String, String>& latin2 = EnvironmentMap();
    r("latin2.distinct", &latin2 != utf8_map);
    for(int i = 0; i < latin2.GetCount(); i++)
        r("latin2." + Std(latin2.GetKey(i)), HexBytes(latin2[i]));
    for(int i = 0; i < given; i++)
        r("cl2." + std::to_string(i), HexBytes(CommandLine()[i]));
    r("utf8.after.U", HexBytes(utf8_map->Get("U", String())));
    SetLanguage(LANGUAGE_EN_US);
    r("utf8.cached", &EnvironmentMap() == utf8_map && &CommandLine() == utf8_args);

    ClearMainRunning();
    r("cleared.main", IsMainRunning());
    r("cleared.active", IsSystemTextActive());
    r("cleared.fromsys", HexBytes(FromSystemText("\xAE")));

    // HOME is read once; only forgetting the cache reads it again.
    setenv("HOME", "/other", 1);
    r("home.cached", Std(HomeFolder()));
    ForgetHomeFolder();
    r("home.forgotten", Std(HomeFolder()));
}

TEST(AppStartupChild, DISABLED_Run)
{
    const char* which = std::getenv("QOR_STARTUP_CASE");
    if(!which)
        GTEST_SKIP() << "runs only as a child of the AppStartup tests";
    std::vector<std::string> args = ReadCommandLine();
    std::vector<char*> argv;
    for(std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    int argc = (int)args.size();

    Report r;
    std::string name = which;
    if(name == "own_env") {
        // Start-up gets an environment other than the process's own.
        std::string lang = std::getenv("QOR_OWN_LANG");
        char* own[] = { lang.data(), nullptr };
        ProcessStartUp(argc, argv.data(), lang.empty() ? own + 1 : own);
        r("system_language", Std(LanguageCodeToText(SystemLanguage())));
        return;
    }
    if(name == "hook") {
        s_hook_report = &r;
        SetStartUpOptionsHook(RecordingHook);
    }
    ProcessStartUp(argc, argv.data(), environ);
    if(name == "signal") {
        std::fflush(nullptr);
        raise(std::atoi(std::getenv("QOR_SIGNAL")));
        r("survived", 1);
        return;
    }
    ReportAll(r, argc);
}

// ---- parent side ------------------------------------------------------

struct ChildSpec {
    std::string which = "all";
    std::vector<std::string> argv = { "foundation_tests" }; // argv[0] and the arguments
    std::vector<std::string> env;
    std::string executable;  // the test binary itself when empty
    std::string folder;      // current folder of the child; inherited when empty
};

ChildRun RunChild(const ChildSpec& spec)
{
    std::vector<std::string> args = spec.argv;
    args.push_back(CHILD_FILTER);
    args.push_back(CHILD_DISABLED);
    std::vector<std::string> env = spec.env;
    env.push_back("QOR_STARTUP_CASE=" + spec.which);
    return RunChildProcess(spec.executable.empty() ? SelfPath() : spec.executable, args, env, spec.folder);
}

// A scratch folder, removed afterwards.
class AppStartup : public ::testing::Test {
protected:
    std::string MakeFile(const std::string& relative)
    {
        std::string path = root + "/" + relative;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path) << "x";
        return path;
    }

    TempFolder folder{"qor_startup"};
    std::string root = folder.Path();
};

TEST_F(AppStartup, StartsInFixedOrderWithEnglishAndUtf8)
{
    ChildSpec spec;
    spec.env = { "HOME=" + root };
    ChildRun run = RunChild(spec);
    ASSERT_TRUE(run.ExitedCleanly()) << run.error_output;
    EXPECT_EQ(run["language"], "EN-US");
    EXPECT_EQ(run["charset"], "255");
    EXPECT_EQ(run["main"], "1");
    EXPECT_EQ(run["active"], "1");
    for(const char* sig : { "SIGILL", "SIGSEGV", "SIGBUS", "SIGFPE" })
        EXPECT_EQ(run[sig], "1") << sig;
    EXPECT_EQ(run["exit"], "0");
    EXPECT_EQ(run["cleared.main"], "0");
    EXPECT_EQ(run["cleared.active"], "0");

    // The options step runs after the arguments are stored and before the
    // signal handlers; the flag is its last act.
    spec.which = "hook";
    spec.argv = { "prog", "one", "two" };
    run = RunChild(spec);
    ASSERT_TRUE(run.ExitedCleanly()) << run.error_output;
    EXPECT_EQ(run["hook.main"], "0");
    EXPECT_EQ(run["hook.arguments"], "4"); // one, two and the child's two flags
    EXPECT_EQ(run["hook.environment"], "2");
    EXPECT_EQ(run["hook.language"], "EN-US");
    EXPECT_EQ(run["hook.handlers_installed"], "0");
    EXPECT_EQ(run["main"], "1");
    EXPECT_EQ(run["SIGSEGV"], "1");
}

TEST_F(AppStartup, SystemLanguageComesFromTheEnvironmentGivenToStartUp)
{
    struct {
        const char* own_entry; // the environment start-up gets; the process has LANG=de_DE.UTF-8
        const char* language;
    } cases[] = {
        { "LANG=fr_FR.UTF-8", "FR-FR UTF-8" },
        { "LANG=cs_CZ", "CS-CZ" },
        { "", "EN-US" },
    };
    for(const auto& c : cases) {
        ChildSpec spec;
        spec.which = "own_env";
        spec.env = { "HOME=" + root, "LANG=de_DE.UTF-8", std::string("QOR_OWN_LANG=") + c.own_entry };
        ChildRun run = RunChild(spec);
        ASSERT_TRUE(run.ExitedCleanly()) << run.error_output;
        EXPECT_EQ(run["system_language"], c.language) << c.own_entry;
    }
}

TEST_F(AppStartup, FatalSignalsPanicWithTheirMessage)
{
    struct Case {
        int sig;
        const char* message;
    } cases[] = {
        { SIGSEGV, "Invalid memory access!" },
        { SIGBUS, "Invalid memory access!" },
        { SIGFPE, "Invalid arithmetic operation!" },
        { SIGILL, "Illegal instruction!" },
    };
    for(const Case& c : cases) {
        ChildSpec spec;
        spec.which = "signal";
        spec.env = { "HOME=" + root, "QOR_SIGNAL=" + std::to_string(c.sig) };
        ChildRun run = RunChild(spec);
        EXPECT_NE(run.error_output.find(c.message), std::string::npos) << c.sig << ": " << run.error_output;
        EXPECT_TRUE(WIFSIGNALED(run.status) && WTERMSIG(run.status) == SIGABRT) << c.sig;
        EXPECT_EQ(run["survived"], "<missing>");
    }
}

TEST_F(AppStartup, EnvironmentKeepsEveryEntryInOrder)
{
    ChildSpec spec;
    // "Žl€" is 017d 006c 20ac: iso8859-2 has the first two, not the euro.
    spec.env = { "A=b=c", "X", "=x", "PATH=/first", "PATH=/second", "U=\xC5\xBDl\xE2\x82\xAC", "HOME=" + root };
    ChildRun run = RunChild(spec);
    ASSERT_TRUE(run.ExitedCleanly()) << run.error_output;
    EXPECT_EQ(run["env.count"], "8");
    EXPECT_EQ(run["env.0"], "0041|0062 003d 0063");
    EXPECT_EQ(run["env.1"], "0058|");
    EXPECT_EQ(run["env.2"], "|0078");
    EXPECT_EQ(run["env.3"], "0050 0041 0054 0048|002f 0066 0069 0072 0073 0074");
    EXPECT_EQ(run["env.4"], "0050 0041 0054 0048|002f 0073 0065 0063 006f 006e 0064");
    EXPECT_EQ(run["env.5"], "0055|017d 006c 20ac");
    EXPECT_EQ(run["map.A"], "b=c");
    EXPECT_EQ(run["map.X"], "");
    EXPECT_EQ(run["map."], "x");
    EXPECT_EQ(run["map.PATH.count"], "2");
    EXPECT_EQ(run["map.PATH.first"], "/first");
    EXPECT_EQ(run["map.U"], "\xC5\xBDl\xE2\x82\xAC");

    // Another charset: its own map, byte 31 for what the charset lacks.
    EXPECT_EQ(run["latin2.distinct"], "1");
    EXPECT_EQ(run["latin2.U"], "ae 6c 1f");
    EXPECT_EQ(run["latin2.A"], "62 3d 63");
    EXPECT_EQ(run["utf8.after.U"], "c5 bd 6c e2 82 ac");
    EXPECT_EQ(run["utf8.cached"], "1");
}

TEST_F(AppStartup, ArgumentsAreStoredAs16BitTexts)
{
    ChildSpec spec;
    spec.argv = { "prog", "plain", "\xC5\xBDlu\xC5\xA5", "", "\xE2\x82\xAC" };
    spec.env = { "HOME=" + root };
    ChildRun run = RunChild(spec);
    ASSERT_TRUE(run.ExitedCleanly()) << run.error_output;
    EXPECT_EQ(run["arg.count"], "4");
    EXPECT_EQ(run["arg.0"], "0070 006c 0061 0069 006e");
    EXPECT_EQ(run["arg.1"], "017d 006c 0075 0165");
    EXPECT_EQ(run["arg.2"], "");
    EXPECT_EQ(run["arg.3"], "20ac");
    EXPECT_EQ(run["cl.1"], "c5 bd 6c 75 c5 a5");
    EXPECT_EQ(run["cl2.1"], "ae 6c 75 bb");
    EXPECT_EQ(run["cl2.3"], "1f");
}

TEST_F(AppStartup, StartUpTextsAreTakenBeforeConversionStarts)
{
    // With an iso8859-2 system language, byte 0xAE is 'Ž'. HOME and the
    // arguments are read before the flag is set and so stay as they came;
    // conversions after start-up do recode.
    ChildSpec spec;
    spec.argv = { "prog", "\xAE" };
    spec.env = { "LANG=cs_CZ.ISO-8859-2", "HOME=/h\xAE" };
    ChildRun run = RunChild(spec);
    ASSERT_TRUE(run.ExitedCleanly()) << run.error_output;
    EXPECT_EQ(run["home.hex"], "2f 68 ae");
    EXPECT_EQ(run["arg.0"], "eeae"); // a stray byte, kept losslessly
    EXPECT_EQ(run["fromsys"], "c5 bd");
    EXPECT_EQ(run["cleared.fromsys"], "ae");
}

TEST_F(AppStartup, ExecutablePathTitleAndConfigFolder)
{
    // A second name for the test binary: /proc reports the name it ran under.
    std::filesystem::create_directories(root + "/bin");
    std::string look = root + "/bin/look.bin";
    if(link(SelfPath().c_str(), look.c_str()) != 0)
        std::filesystem::copy_file(SelfPath(), look);
    ChildSpec spec;
    spec.executable = look;
    spec.argv = { "whatever" };
    spec.env = { "HOME=" + root + "/home", "QOR_CONFIG=1" };
    ChildRun run = RunChild(spec);
    ASSERT_TRUE(run.ExitedCleanly()) << run.error_output;
    EXPECT_EQ(run["link"], look);
    EXPECT_EQ(run["exe"], look);
    EXPECT_EQ(run["title"], "look");
    EXPECT_EQ(run["config"], root + "/home/.qor/look/q.ini");
    EXPECT_EQ(run["config.folder"], "1");
    EXPECT_TRUE(std::filesystem::is_directory(root + "/home/.qor/look"));
}

TEST_F(AppStartup, HomeFolderFallsBackToRoot)
{
    struct Case {
        std::vector<std::string> env;
        const char* home;
    } cases[] = {
        { {}, "/root" },
        { { "HOME=" }, "/root" },
        { { "HOME=/home/ann" }, "/home/ann" },
        { { "HOME=/" }, "/" },
    };
    for(const Case& c : cases) {
        ChildSpec spec;
        spec.env = c.env;
        ChildRun run = RunChild(spec);
        ASSERT_TRUE(run.ExitedCleanly()) << run.error_output;
        EXPECT_EQ(run["home"], c.home);
        EXPECT_EQ(run["homefile"], std::string(c.home) + (std::string(c.home) == "/" ? "n" : "/n"));
        EXPECT_EQ(run["home.cached"], c.home);
        EXPECT_EQ(run["home.forgotten"], "/other");
    }
}

TEST_F(AppStartup, SearchTakesTheFirstExistingCandidate)
{
    std::string d1 = root + "/d1", d2 = root + "/d2", d3 = root + "/d3", here = root + "/here";
    std::filesystem::create_directories(d1);
    MakeFile("d2/prog");
    MakeFile("d3/prog");
    MakeFile("here/prog");
    MakeFile("here/sub/prog");
    MakeFile("d3/sub/prog");
    std::string home = root + "/home";
    struct Case {
        const char* argv0;
        std::string path;  // no PATH entry when "-"
        std::string found;
    } cases[] = {
        { "prog", d1 + ":" + d2 + ":" + d3, d2 + "/prog" },
        { "prog", d3 + ":" + d2, d3 + "/prog" },
        { "prog", "::" + d1 + "::" + d3 + ":", d3 + "/prog" },  // empty pieces are skipped
        { "prog", d1, home + "/qor" },
        { "prog", "-", home + "/qor" },
        // A name with a '/' is what the shell resolved against the current folder.
        { "./prog", d2, here + "/prog" },
        { "sub/prog", d3, here + "/sub/prog" },
        { "sub/../prog", "-", here + "/prog" },
        { "./missing", d2, home + "/qor" },
        { "../d3/prog", "-", d3 + "/prog" },
        // A full path is taken when it exists.
        { "/bin/sh", "-", "/bin/sh" },
        { "/no/such/prog", d1, home + "/qor" },
    };
    for(const Case& c : cases) {
        ChildSpec spec;
        spec.argv = { c.argv0 };
        spec.env = { "HOME=" + home };
        if(c.path != "-")
            spec.env.push_back("PATH=" + c.path);
        spec.folder = here;
        ChildRun run = RunChild(spec);
        ASSERT_TRUE(run.ExitedCleanly()) << run.error_output;
        EXPECT_EQ(run["search"], c.found) << c.argv0 << " PATH=" << c.path;
        // The /proc link wins over any search.
        EXPECT_EQ(run["exe"], SelfPath());
    }
}

TEST_F(AppStartup, LongArgv0HomeAndUserAreKeptWhole)
{
    std::string long_argv0 = "/" + std::string(20000, 'a');
    std::string long_home = root + "/" + std::string(9000, 'h');
    std::string long_user(30000, 'u');
    ChildSpec spec;
    spec.argv = { long_argv0, "x" };
    spec.env = { "HOME=" + long_home, "USER=" + long_user, "PATH=/bin:/usr/bin" };
    ChildRun run = RunChild(spec);
    ASSERT_TRUE(run.ExitedCleanly()) << run.error_output;
    EXPECT_EQ(run["argv0.length"], std::to_string(long_argv0.size()));
    EXPECT_EQ(run["home"], long_home);
    EXPECT_EQ(run["map.USER"], long_user);
    EXPECT_EQ(run["search"], long_home + "/qor");
    EXPECT_EQ(run["arg.0"], "0078");
}

} // namespace
