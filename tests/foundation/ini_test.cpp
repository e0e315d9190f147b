// q.ini: the line reader (definitions, includes, "@end", cycles, depth), the
// cache and flags read from HOME (each case in a child process, since the home
// folder and the cache are read once per process), the variable registry and
// the sectioned reader.
#include "foundation/ini.h"

#include "foundation/file_stream.h"
#include "foundation/process_environment.h"
#include "foundation/string_stream.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

using namespace Qor;
namespace fs = std::filesystem;

namespace {

std::string Dump(const KeyMap<String, String>& map)
{
    std::string out;
    for(int i = 0; i < map.GetCount(); i++) {
        if(i)
            out += ';';
        out += std::string(map.GetKey(i).Begin()) + '=' + map[i].Begin();
    }
    return out;
}

std::string MakeScratch()
{
    char pattern[] = "/tmp/qor_ini_XXXXXX";
    return mkdtemp(pattern) ? pattern : "";
}

void WriteFile(const std::string& path, const std::string& text)
{
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// A scratch folder of ini files, read through the file system.
class IniFiles : public ::testing::Test {
protected:
    void SetUp() override { root = MakeScratch(); ASSERT_FALSE(root.empty()); }
    void TearDown() override { fs::remove_all(root); }

    std::string Write(const std::string& relative, const std::string& text)
    {
        WriteFile(root + "/" + relative, text);
        return root + "/" + relative;
    }

    std::string Read(const std::string& relative)
    {
        KeyMap<String, String> map;
        std::string path = root + "/" + relative;
        FileIn in(path.c_str());
        EXPECT_TRUE(in.IsOpen()) << path;
        ReadIniLines(in, map, path.c_str());
        return Dump(map);
    }

    std::string root;
};

std::string ReadText(const char* text)
{
    StringStream in{ String(text) };
    KeyMap<String, String> map;
    ReadIniLines(in, map, nullptr);
    return Dump(map);
}

} // namespace

TEST(IniLines, DefinitionLines)
{
    struct Case { const char* text; const char* expected; } cases[] = {
        { "a=1", "a=1" },
        { "  key  =  value  ", "key=value  " },          // trailing space kept
        { "user_log = 1 // note", "user_log=1 // note" }, // a comment after the value is value
        { "user_log = // note", "user_log=" },
        { "a /* c */ = x", "a=x" },
        { "/* c */ b=2", "b=2" },
        { "_x9=y", "_x9=y" },
        { "a==b\nk=v=w", "a==b;k=v=w" },
        { "a=1\r\nb=2\r\n", "a=1;b=2" },
        { "a=1\na=2", "a=1;a=2" },                      // every definition kept, in order
        { "# c=1\n; d=1\n[s]\n9a=1\nnoeq\n\n e\na.b=1\na b=1\n=x", "" },
        { "x=1\n@end\ny=2", "x=1" },
        { "x=1\n@ end\ny=2", "x=1" },
        { "x=1\n@ends\ny=2", "x=1;y=2" },
        { "x=1\n@unknown stuff\n@\ny=2", "x=1;y=2" },
        { "x=1\n@include\n@includes q\ny=2", "x=1;y=2" },
        { "a=/* open\nb=2", "a=;b=2" },                  // an unclosed comment ends with its line
    };
    for(const Case& c : cases)
        EXPECT_EQ(ReadText(c.text), c.expected) << c.text;
}

TEST_F(IniFiles, IncludesInsertDefinitionsAtTheirPlace)
{
    Write("q.ini", "a=root\n@include sub/b.ini\nb=root\n@ include " + root +
                   "/abs.ini\n@include missing.ini\nc=root\n");
    Write("sub/b.ini", "b=sub\n@include c.ini\nd=sub\n@end\ne=sub\n");
    Write("sub/c.ini", "c=sub-c\n");
    Write("c.ini", "c=decoy\n"); // relative names follow the including file's folder
    Write("abs.ini", "f=abs\n");
    EXPECT_EQ(Read("q.ini"), "a=root;b=sub;c=sub-c;d=sub;b=root;f=abs;c=root");

    // The folder comes from the absolute form of the given path.
    KeyMap<String, String> map;
    std::string roundabout = root + "/sub/../q.ini";
    FileIn in(roundabout.c_str());
    ReadIniLines(in, map, roundabout.c_str());
    EXPECT_EQ(map.Get("b"), "sub");
    EXPECT_EQ(map.Get("c"), "sub-c");
}

TEST_F(IniFiles, CyclesReadEachFileOnce)
{
    Write("a.ini", "a=1\n@include b.ini\n@include a.ini\na=2\n");
    Write("b.ini", "b=1\n@include a.ini\n@include d.ini\n@include d.ini\n");
    Write("d.ini", "d=1\n@include b.ini\n");
    EXPECT_EQ(Read("a.ini"), "a=1;b=1;d=1;a=2");

    // Another name for the same file is the same file.
    fs::create_directory_symlink(root, root + "/loop");
    Write("s.ini", "s=1\n@include loop/s.ini\n@include loop/loop/s.ini\n@include loop/t.ini\n");
    Write("t.ini", "t=1\n@include ../loop/s.ini\n");
    EXPECT_EQ(Read("s.ini"), "s=1;t=1");
}

TEST_F(IniFiles, DeepIncludesStopAtTheLimit)
{
    const int files = INI_MAX_INCLUDE_DEPTH + 5;
    for(int i = 0; i < files; i++)
        Write("f" + std::to_string(i) + ".ini", "k" + std::to_string(i) + "=1\n@include f" +
                                                    std::to_string(i + 1) + ".ini\nafter" +
                                                    std::to_string(i) + "=1\n");
    KeyMap<String, String> map;
    std::string path = root + "/f0.ini";
    FileIn in(path.c_str());
    ReadIniLines(in, map, path.c_str());
    // The top file and INI_MAX_INCLUDE_DEPTH levels below it, each completely.
    EXPECT_EQ(map.GetCount(), 2 * (INI_MAX_INCLUDE_DEPTH + 1));
    for(int i = 0; i <= INI_MAX_INCLUDE_DEPTH; i++) {
        EXPECT_GE(map.Find(String(("k" + std::to_string(i)).c_str())), 0) << i;
        EXPECT_GE(map.Find(String(("after" + std::to_string(i)).c_str())), 0) << i;
    }
    EXPECT_LT(map.Find("k" + String(std::to_string(INI_MAX_INCLUDE_DEPTH + 1).c_str())), 0);
}

namespace {

// Files served from memory, to see which paths the reader asks for.
std::string opened;

Stream* OpenVirtual(const char* path)
{
    opened += std::string(path) + ' ';
    if(std::string(path) == "/virt/sub/b.ini")
        return new StringStream(String("b=virtual\n@include /virt/q.ini\n"));
    return nullptr;
}

} // namespace

TEST(IniLines, IncludedFilesComeFromTheOpenFunction)
{
    opened.clear();
    StringStream in{ String("@include sub/b.ini\n@include x.ini\na=1\n") };
    KeyMap<String, String> map;
    ReadIniLines(in, map, "/virt/q.ini", OpenVirtual);
    EXPECT_EQ(Dump(map), "b=virtual;a=1");
    // The top file itself is never opened again.
    EXPECT_EQ(opened, "/virt/sub/b.ini /virt/x.ini ");
}

TEST(IniRegistry, UserLogIsRegistered)
{
    int found = -1;
    for(int i = 0; i < GetIniVariableCount(); i++)
        if(GetIniVariable(i).name == "user_log")
            found = i;
    ASSERT_GE(found, 0);
    const IniVariable& v = GetIniVariable(found);
    EXPECT_EQ(v.description, "Activates logging of user actions");
    EXPECT_EQ(v.default_text(), "false");
    EXPECT_STREQ(user_log_flag.name, "user_log");
    EXPECT_FALSE(user_log_flag.default_value());

    int before = GetIniVariableCount();
    RegisterIniVariable("user_log", nullptr, nullptr, "again"); // no check for repeats
    ASSERT_EQ(GetIniVariableCount(), before + 1);
    EXPECT_EQ(GetIniVariable(before).description, "again");
}

TEST_F(IniFiles, Sections)
{
    std::string path = Write("user-dirs", "top=1\n[one]\n  A = x  \n# note\nA=y\n[two\nB=2\n"
                                          "[one]\nC=3\nnoeq\n=skipped\n\n[]\nD=4\n[x]y]\nE=5\n");
    IniSections s = LoadIniSections(path.c_str());
    ASSERT_EQ(s.GetCount(), 4);
    EXPECT_EQ(s.GetKey(0), "");
    EXPECT_EQ(s.GetKey(1), "one");
    EXPECT_EQ(s.GetKey(2), "two");
    EXPECT_EQ(s.GetKey(3), "x");
    EXPECT_EQ(Dump(s[0]), "top=1;D=4");
    EXPECT_EQ(Dump(s[1]), "A=y;# note=;C=3;noeq=");
    EXPECT_EQ(Dump(s[2]), "B=2");
    EXPECT_EQ(IniSectionValue(s, "one", "A"), "y");
    EXPECT_EQ(IniSectionValue(s, "x", "E"), "5");
    EXPECT_EQ(IniSectionValue(s, "one", "B"), "");
    EXPECT_EQ(IniSectionValue(s, "three", "A"), "");

    for(const std::string& missing : { root + "/none", root }) {
        IniSections empty = LoadIniSections(missing.c_str());
        ASSERT_EQ(empty.GetCount(), 1) << missing;
        EXPECT_EQ(empty.GetKey(0), "");
        EXPECT_TRUE(empty[0].IsEmpty());
    }
}

// ---- the cache, read from HOME in a child process ---------------------------

namespace {

struct Checks {
    std::string failures;
    void Eq(const String& actual, const char* expected, const char* what)
    {
        if(!(actual == expected))
            failures += std::string(what) + ": got '" + actual.Begin() + "', expected '" + expected + "'\n";
    }
    void True(bool ok, const char* what)
    {
        if(!ok)
            failures += std::string(what) + "\n";
    }
};

// Runs in the child: a fresh HOME with the given files, then the checks.
// Exits 0 when all hold, else 1 with the failures on stderr.
template <class Body>
[[noreturn]] void RunWithHome(const std::string& home_file, const std::string& config_file, Body body)
{
    std::string home = MakeScratch();
    setenv("HOME", home.c_str(), 1);
    std::string config = home + "/.qor/" + ExecutableTitle().Begin();
    if(!home_file.empty())
        WriteFile(home + "/q.ini", home_file);
    if(!config_file.empty())
        WriteFile(config + "/q.ini", config_file);
    Checks c;
    body(c, home, config);
    fs::remove_all(home);
    std::fputs(c.failures.c_str(), stderr);
    std::fflush(stderr);
    _exit(c.failures.empty() ? 0 : 1);
}

bool DefaultTrue() { return true; }
bool DefaultFalse() { return false; }

} // namespace

TEST(IniConfigDeathTest, HomeFileAndFlags)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const char* file = "user_log=Yes\n"
                       "f_y  =  y   \n"
                       "f_true=TRUE\n"
                       "f_on=on\n"
                       "f_2=2\n"
                       "f_empty=\n"
                       "f_comment = 1 // note\n"
                       "f_only_comment = // note\n"
                       "dup=first\n"
                       "dup=second\n"
                       "X11_SYNCHRONIZE=1\n";
    EXPECT_EXIT(RunWithHome(file, "", [](Checks& c, const std::string&, const std::string& config) {
        c.True(!fs::exists(config), "no configuration folder before the first lookup");
        c.True(user_log_flag.version == 0, "flag not computed yet");
        c.Eq(IniText("X11_SYNCHRONIZE"), "1", "X11_SYNCHRONIZE");
        c.True(fs::is_directory(config), "configuration folder made by the first lookup");
        c.Eq(IniText("dup"), "first", "first definition wins");
        c.Eq(IniValue("missing", "dflt"), "dflt", "default of a missing key");
        c.Eq(IniText("X11_ERRORS"), "", "missing key");
        c.Eq(IniFlagText(user_log_flag), "true", "user_log=Yes");
        c.True(user_log_flag.version == GetIniVersion() && user_log_flag.value, "flag cached");
        struct { const char* name; bool (*fallback)(); bool expected; } flags[] = {
            { "f_y", DefaultFalse, true },       { "f_true", DefaultFalse, true },
            { "f_on", DefaultTrue, false },      { "f_2", DefaultTrue, false },
            { "f_empty", DefaultTrue, true },    { "f_empty", DefaultFalse, false },
            { "f_comment", DefaultTrue, false }, { "f_only_comment", DefaultTrue, true },
            { "f_missing", DefaultTrue, true },  { "f_missing", DefaultFalse, false },
        };
        for(auto& f : flags) {
            IniFlag flag = { f.name, f.fallback };
            c.True(flag.Get() == f.expected, f.name);
        }
        for(int i = 0; i < GetIniVariableCount(); i++)
            if(GetIniVariable(i).name == "user_log")
                c.Eq(GetIniVariable(i).value_text(), "true", "registry value text");
    }), ::testing::ExitedWithCode(0), "");
}

TEST(IniConfigDeathTest, ConfigFolderFileFirst)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // A relative include is read from beside the configuration file.
    EXPECT_EXIT(RunWithHome("k=home\nh=home\n", "k=config\n@include sub/b.ini\n",
                            [](Checks& c, const std::string&, const std::string& config) {
        WriteFile(config + "/sub/b.ini", "b=included\n");
        c.Eq(IniText("k"), "config", "configuration folder wins");
        c.Eq(IniText("b"), "included", "relative include");
        c.Eq(IniText("h"), "", "home file not read");
        WriteFile(config + "/q.ini", "k=changed\n");
        c.Eq(IniText("k"), "config", "read once");
    }), ::testing::ExitedWithCode(0), "");
}

TEST(IniConfigDeathTest, CommentOnlyConfigFileFallsBackToHome)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(RunWithHome("k=home\n", "// nothing here\n# k=hidden\n", [](Checks& c, auto&, auto&) {
        c.Eq(IniText("k"), "home", "home file read");
    }), ::testing::ExitedWithCode(0), "");
}

TEST(IniConfigDeathTest, NoFilesGiveDefaults)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(RunWithHome("", "", [](Checks& c, auto&, auto&) {
        c.True(!user_log_flag.Get(), "user_log defaults to false");
        c.Eq(IniFlagText(user_log_flag), "false", "flag text");
        c.Eq(IniText("X11_ERRORS"), "", "missing key");
    }), ::testing::ExitedWithCode(0), "");
}
