// The process log. Its record and line buffer are process-wide and built once,
// so every case runs the log in a forked child whose HOME is a fresh
// temporary folder; the parent only reads the files the child left.
#include "foundation/log.h"
#include "foundation/panic.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qor;

namespace {

std::string ExecutableName()
{
    char link[4096];
    ssize_t n = readlink("/proc/self/exe", link, sizeof(link) - 1);
    link[n > 0 ? n : 0] = '\0';
    std::string path = link;
    return path.substr(path.rfind('/') + 1);
}

std::string ExecutableLink()
{
    char link[4096];
    ssize_t n = readlink("/proc/self/exe", link, sizeof(link) - 1);
    return std::string(link, n > 0 ? n : 0);
}

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

void WriteFile(const std::string& path, const std::string& data)
{
    std::ofstream(path, std::ios::binary) << data;
}

std::string Gunzip(const std::string& data)
{
    z_stream z = {};
    EXPECT_EQ(inflateInit2(&z, 16 + MAX_WBITS), Z_OK);
    z.next_in = (Bytef*)data.data();
    z.avail_in = (uInt)data.size();
    std::string out;
    char piece[4096];
    int rc;
    do {
        z.next_out = (Bytef*)piece;
        z.avail_out = sizeof(piece);
        rc = inflate(&z, Z_NO_FLUSH);
        out.append(piece, sizeof(piece) - z.avail_out);
    } while(rc == Z_OK);
    EXPECT_EQ(rc, Z_STREAM_END) << "not one whole gzip member";
    inflateEnd(&z);
    return out;
}

// The header as the log writes it, with the time matched by a pattern.
std::string HeaderPattern(const std::string& user, const std::string& number = "")
{
    return std::regex_replace("* " + ExecutableLink(), std::regex(R"([.^$|()\[\]{}*+?\\])"), "\\$&")
           + R"( \d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d, user: )" + user + "\n" + number + "\r\n";
}

void NoOutputHook(const char*, const char*) {}

class LogTest : public testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/qor_log_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        home = pattern;
        folder = home + "/.qor/" + ExecutableName();
        log = folder + "/" + ExecutableName() + ".log";
    }
    void TearDown() override
    {
        std::string command = "rm -rf '" + home + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
    }

    // Runs body in a child with HOME and USER set; true when it ended normally.
    bool InChild(const std::function<void()>& body, const char* user = "tester")
    {
        fflush(nullptr);
        pid_t pid = fork();
        if(pid == 0) {
            setenv("HOME", home.c_str(), 1);
            if(user)
                setenv("USER", user, 1);
            else
                unsetenv("USER");
            body();
            fflush(nullptr);
            _exit(0);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    // Creates the log folder, as the log would, for files placed before a run.
    void MakeFolder()
    {
        ASSERT_EQ(mkdir((home + "/.qor").c_str(), 0755), 0);
        ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    }

    // The log's content after its header, which must match the pattern.
    static std::string BodyOf(const std::string& text, const std::string& header = HeaderPattern("tester"))
    {
        std::smatch m;
        if(!std::regex_search(text, m, std::regex(header), std::regex_constants::match_continuous)) {
            ADD_FAILURE() << "no header at the start of:\n" << text;
            return text;
        }
        return text.substr(m.length());
    }
    static std::string Body(const std::string& path, const std::string& header = HeaderPattern("tester"))
    {
        return BodyOf(ReadFile(path), header);
    }

    std::string home, folder, log;
};

struct HeaderCase {
    const char* user;
    int log_number;
    const char* pattern_user;
    const char* pattern_number;
};

TEST_F(LogTest, HeaderNamesExecutableTimeUserAndLogNumber)
{
    const HeaderCase cases[] = {
        { "tester", 0, "tester", "" },
        { nullptr, 0, "boot", "" },
        { "", 0, "", "" },
        { "tester", 42, "tester", ", #42" },
    };
    for(const HeaderCase& c : cases) {
        SCOPED_TRACE(c.pattern_user + std::string(c.pattern_number));
        ASSERT_TRUE(InChild(
            [&] {
                SetLogSettings(LOG_FILE, 10485760, c.log_number);
                CurrentLog() << "line\n";
            },
            c.user));
        EXPECT_EQ(Body(log, HeaderPattern(c.pattern_user, c.pattern_number)), "line\n");
    }
}

struct LineCase {
    const char* name;
    std::string input;
    std::string expected;
};

TEST_F(LogTest, BytesAreCutIntoLinesAndIndented)
{
    const LineCase cases[] = {
        { "the rest waits for its line feed", "a\nb", "a\n" },
        // The indentation shows where each piece began.
        { "long text goes in pieces of 501", "\x1e" + std::string(1200, 'x'),
          "\t" + std::string(501, 'x') + "\t" + std::string(501, 'x') },
        { "only the last piece has the line feed", "\x1e" + std::string(505, 'y') + "\n",
          "\t" + std::string(501, 'y') + "\tyyyy\n" },
        { "a full piece then its line feed alone", std::string(501, 'z') + "\n", std::string(501, 'z') + "\n" },
        { "two levels", "\x1e\x1ex\n", "\t\tx\n" },
        { "closing below zero stays at zero", "\x1f\x1f\x1ex\n", "\tx\n" },
        { "at most twenty levels", std::string(21, '\x1e') + "x\n", std::string(20, '\t') + "x\n" },
        { "levels apply per line", "\x1e" "a\n\x1f" "b\n", "\ta\nb\n" },
        { "a lone line feed is a line", "\n\n", "\n\n" },
    };
    for(const LineCase& c : cases) {
        SCOPED_TRACE(c.name);
        for(bool byte_by_byte : { false, true }) {
            ASSERT_TRUE(InChild([&] {
                Stream& s = CurrentLog();
                if(byte_by_byte)
                    for(char ch : c.input)
                        s.Put((byte)ch);
                else
                    s.Put(c.input.data(), (uint32)c.input.size());
            }));
            EXPECT_EQ(Body(log), c.expected) << (byte_by_byte ? "byte by byte" : "as a block");
        }
    }
}

TEST_F(LogTest, SizeCountsLineBytesAndOpenReportsTheFile)
{
    ASSERT_TRUE(InChild([&] {
        Stream& s = CurrentLog();
        bool open = s.IsOpen();
        int64 empty = s.GetSize();
        s << "\x1e" << "abc\n" << "tail";
        FILE* f = std::fopen((home + "/facts").c_str(), "w");
        std::fprintf(f, "%d %lld %lld", open, (long long)empty, (long long)s.GetSize());
        std::fclose(f);
    }));
    // The tab counts, the header and the waiting "tail" do not.
    EXPECT_EQ(ReadFile(home + "/facts"), "1 0 5");
}

TEST_F(LogTest, TimeStampsLeadEachLineLocalOrUtc)
{
    ASSERT_TRUE(InChild([&] {
        setenv("TZ", "QQQ+05", 1);
        tzset();
        SetLogSettings(LOG_FILE | LOG_TIMESTAMP, 10485760, 0);
        CurrentLog() << "\x1e" << "local\n" << "\x1f";
        SetLogSettings(LOG_FILE | LOG_TIMESTAMP | LOG_TIMESTAMP_UTC, 10485760, 0);
        CurrentLog() << "utc\n";
    }));
    std::string body = Body(log);
    std::smatch m;
    ASSERT_TRUE(std::regex_match(body, m,
                                 std::regex(R"((\d\d)\.(\d\d)\.(\d{4}) (\d\d):(\d\d):(\d\d) \tlocal\n)"
                                            R"((\d\d)\.(\d\d)\.(\d{4}) (\d\d):(\d\d):(\d\d) utc\n)")))
        << body;
    // Five hours west of UTC: the UTC stamp is five hours later.
    EXPECT_EQ((std::stoi(m[4]) + 5) % 24, std::stoi(m[10]));
    EXPECT_EQ(m[5], m[11]);
}

TEST_F(LogTest, LinesReachTheEnabledOutputsOnly)
{
    ASSERT_TRUE(InChild([&] {
        FILE* out = std::freopen((home + "/stdout").c_str(), "w", stdout);
        FILE* err = std::freopen((home + "/stderr").c_str(), "w", stderr);
        if(!out || !err)
            _exit(1);
        SetLogSettings(LOG_COUT | LOG_CERR | LOG_CERR_AFTER, 10485760, 0);
        CurrentLog() << "\x1e" << "both\n" << "\x1f";
        SetLogSettings(LOG_FILE | LOG_CERR_AFTER, 10485760, 0);
        CurrentLog() << "file\n";
    }));
    EXPECT_EQ(ReadFile(home + "/stdout"), "\tboth\n");
    EXPECT_EQ(ReadFile(home + "/stderr"), "\tboth\n\tboth\nfile\n");
    EXPECT_EQ(Body(log), "file\n");
}

// Six lines of 20 bytes: the sixth crosses a limit of 100 and ends its file.
std::string Batch(char mark)
{
    std::string text;
    for(int i = 0; i < 6; i++)
        text += std::string("batch ") + mark + " line " + char('0' + i) + ".....\n";
    return text;
}

void WriteBatches(const std::string& marks)
{
    for(char mark : marks)
        CurrentLog() << Batch(mark).c_str();
}

TEST_F(LogTest, CrossingTheLimitStartsAFreshFileWithAHeader)
{
    ASSERT_EQ(Batch('a').size(), 120u);
    ASSERT_TRUE(InChild([&] {
        SetLogSettings(LOG_FILE, 100, 0);
        WriteBatches("ab");
        CurrentLog() << "after\n";
    }));
    EXPECT_EQ(Body(log), "after\n");
    EXPECT_FALSE(Exists(log + ".1"));
}

TEST_F(LogTest, RotationKeepsNumberedCopies)
{
    ASSERT_TRUE(InChild([&] {
        SetLogSettings(LOG_FILE | LogOldCopies(2), 100, 0);
        WriteBatches("abc");
        CurrentLog() << "now\n";
    }));
    EXPECT_EQ(Body(log), "now\n");
    EXPECT_EQ(Body(log + ".1"), Batch('c'));
    EXPECT_EQ(Body(log + ".2"), Batch('b'));
    EXPECT_FALSE(Exists(log + ".3"));
}

TEST_F(LogTest, RotationKeepsOlderCopiesAsGzip)
{
    for(bool panicking : { false, true }) {
        SCOPED_TRACE(panicking ? "during a panic" : "normal");
        ASSERT_TRUE(InChild([&] {
            SetLogSettings(LOG_FILE | LOG_ROTATE_GZIP | LogOldCopies(3), 100, 0);
            if(panicking) {
                SetFatalMessageHook(NoOutputHook);
                ShowFatalMessage("", ""); // sets the panicking flag
            }
            WriteBatches("abcd");
        }));
        std::string header = ReadFile(log);
        EXPECT_EQ(BodyOf(header), "");
        EXPECT_EQ(Body(log + ".1"), Batch('d'));
        std::string copy2 = ReadFile(log + ".2.gzip");
        EXPECT_EQ(BodyOf(Gunzip(copy2)), Batch('c'));
        EXPECT_EQ(BodyOf(Gunzip(ReadFile(log + ".3.gzip"))), Batch('b'));
        EXPECT_FALSE(Exists(log + ".4.gzip"));
        EXPECT_FALSE(Exists(log + ".2"));
        if(panicking) { // stored blocks: gzip head and tail and two block headers around the text
            EXPECT_EQ(copy2.size(), header.size() + 120 + 10 + 8 + 5 + 5);
        }
    }
}

// A full disk (here a file-size limit) while copy 1 is compressed: the rotation stops
// before anything moved, so every old copy keeps its content and no scratch file stays.
TEST_F(LogTest, FailedRotationLeavesEveryCopyAsItWas)
{
    ASSERT_TRUE(InChild([&] {
        SetLogSettings(LOG_FILE | LOG_ROTATE_GZIP | LogOldCopies(3), 100, 0);
        WriteBatches("abc");
        signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit = {40, 40};
        setrlimit(RLIMIT_FSIZE, &limit);
        WriteBatches("d"); // its lines are lost to the full disk, the copies are not
    }));
    EXPECT_EQ(Body(log + ".1"), Batch('c'));
    EXPECT_EQ(BodyOf(Gunzip(ReadFile(log + ".2.gzip"))), Batch('b'));
    EXPECT_EQ(BodyOf(Gunzip(ReadFile(log + ".3.gzip"))), Batch('a'));
    std::vector<std::string> names;
    for(const auto& e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    std::string base = ExecutableName() + ".log";
    EXPECT_EQ(names, (std::vector<std::string>{base, base + ".1", base + ".2.gzip", base + ".3.gzip"}));
}

struct FirstOpenCase {
    const char* name;
    int32 options;
    std::string log_body;
    const char* copy1; // body of log.1, or null when absent
};

TEST_F(LogTest, FirstOpeningTreatsAnEarlierLogByTheOptions)
{
    const std::string earlier = "earlier run\n";
    const FirstOpenCase cases[] = {
        { "starts empty", LOG_FILE, "new\n", nullptr },
        { "keeps the earlier log as copy 1", LOG_FILE | LogOldCopies(1), "new\n", "earlier run\n" },
    };
    for(const FirstOpenCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string command = "rm -rf '" + home + "/.qor'";
        ASSERT_EQ(std::system(command.c_str()), 0);
        MakeFolder();
        WriteFile(log, earlier);
        ASSERT_TRUE(InChild([&] {
            SetLogSettings(c.options, 10485760, 0);
            CurrentLog() << "new\n";
        }));
        EXPECT_EQ(Body(log), c.log_body);
        if(c.copy1)
            EXPECT_EQ(ReadFile(log + ".1"), c.copy1);
        else
            EXPECT_FALSE(Exists(log + ".1"));
    }
}

TEST_F(LogTest, AppendingKeepsTheEarlierLogAndCountsIt)
{
    MakeFolder();
    WriteFile(log, "earlier\n");
    ASSERT_TRUE(InChild([&] {
        SetLogSettings(LOG_FILE | LOG_APPEND, 10485760, 0);
        std::ofstream(home + "/facts") << CurrentLog().GetSize();
        CurrentLog() << "new\n";
    }));
    EXPECT_EQ(ReadFile(home + "/facts"), "8");
    std::string text = ReadFile(log);
    ASSERT_EQ(text.substr(0, 8), "earlier\n");
    EXPECT_EQ(BodyOf(text.substr(8)), "new\n");
}

struct PathCase {
    bool set;
    std::string home;
    std::string expected;
};

TEST_F(LogTest, PathFollowsHomeAndTheExecutableName)
{
    std::string name = ExecutableName();
    std::string tail = ".qor/" + name + "/" + name + ".log";
    // The cases outside the temporary home create folders there: whatever did
    // not exist before is removed again (rmdir takes empty folders only).
    std::vector<std::string> outside = { "/.qor/" + name, "/.qor", "/root/.qor/" + name, "/root/.qor" };
    std::vector<bool> existed;
    for(const std::string& f : outside)
        existed.push_back(Exists(f));
    const PathCase cases[] = {
        { true, home, home + "/" + tail },
        { true, home + "/", home + "/" + tail },
        { true, "", "/" + tail },
        { false, "", "/root/" + tail },
        { true, home + std::string(600, 'h'), "" }, // too long: no path rather than a cut one
    };
    for(const PathCase& c : cases) {
        SCOPED_TRACE(c.expected);
        ASSERT_TRUE(InChild([&] {
            if(c.set)
                setenv("HOME", c.home.c_str(), 1);
            else
                unsetenv("HOME");
            LogFilePath();
            std::ofstream(home + "/facts") << LogFilePathText();
        }));
        EXPECT_EQ(ReadFile(home + "/facts"), c.expected);
    }
    EXPECT_TRUE(Exists(folder)); // both levels made in a home without .qor
    for(size_t i = 0; i < outside.size(); i++)
        if(!existed[i])
            rmdir(outside[i].c_str());
}

TEST_F(LogTest, WithoutAPathOtherOutputsStillWork)
{
    ASSERT_TRUE(InChild([&] {
        setenv("HOME", (home + std::string(600, 'h')).c_str(), 1);
        if(!std::freopen((home + "/stdout").c_str(), "w", stdout))
            _exit(1);
        SetLogSettings(LOG_FILE | LOG_COUT, 100, 0);
        Stream& s = CurrentLog();
        for(int i = 0; i < 30; i++) // crosses the limit: reopening must not fail
            s << "0123456789\n";
        std::fprintf(stdout, "open %d size %lld\n", s.IsOpen(), (long long)s.GetSize());
    }));
    std::string out = ReadFile(home + "/stdout");
    EXPECT_EQ(out.size(), 30 * 11 + std::string("open 0 size 0\n").size());
    EXPECT_EQ(out.substr(out.size() - 14), "open 0 size 0\n");
    EXPECT_FALSE(Exists(home + "/.qor"));
}

TEST_F(LogTest, PanicBlockReachesTheLog)
{
    EXPECT_EXIT(
        {
            setenv("HOME", home.c_str(), 1);
            setenv("USER", "tester", 1);
            CurrentLog() << "before\n";
            RaisePanic("disk gone");
        },
        testing::KilledBySignal(SIGABRT), "disk gone");
    EXPECT_EQ(Body(log), "before\n****************** PANIC: disk gone\n\n");
}

TEST_F(LogTest, PanicOpensTheLogWhenNothingWasWrittenYet)
{
    EXPECT_EXIT(
        {
            setenv("HOME", home.c_str(), 1);
            setenv("USER", "tester", 1);
            RaisePanic("early");
        },
        testing::KilledBySignal(SIGABRT), "early");
    EXPECT_EQ(Body(log), "****************** PANIC: early\n\n");
}

} // namespace
