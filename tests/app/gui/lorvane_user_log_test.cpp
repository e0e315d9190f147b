// The user log of the running program: with "user_log" on in the home folder's q.ini, the
// user's actions (the window opening and activating, focus moves, clicks, keys, closing) end
// up in the log file, one line each.
#include "tests/app/gui/lorvane_driving.h"
#include "tests/support/temp_folder.h"
#include "tests/support/x11/xtest_input.h"

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace Qor;
using namespace QorTest;

using LorvaneUserLogTest = ::testing::Test;

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

int CountOf(const std::string& text, const std::string& what)
{
    int n = 0;
    for(size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        n++;
    return n;
}

TEST_F(LorvaneUserLogTest, UserActionsAreLoggedOneLineEach)
{
    UNDER_OPENBOX();
    TempFolder home("lorvane_log_home");
    std::ofstream(home.Path() + "/q.ini") << "user_log=1\n";
    ProgramRun program(home.Path());
    if(Window w = program.WaitForWindow()) {
        WaitFor([] { return false; }, 800); // past the first moments in which a new window refuses the focus
        Click(w, Point(300, 300));          // the result list
        WaitFor([] { return false; }, 300);
        TypeText("a");
        WaitFor([] { return false; }, 300);
        RequestClose(display, w, true);
    }
    int status = -1;
    bool ended = program.WaitForExit(status);
    ASSERT_TRUE(ended) << "the program did not end on the close request";

    std::string path = home.Path() + "/.qor/lorvane/lorvane.log";
    std::string log = ReadText(path);
    ASSERT_FALSE(log.empty()) << "no log at " << path;
    std::vector<std::string> lines;
    std::istringstream in(log);
    for(std::string line; std::getline(in, line);)
        lines.push_back(line);
    auto starting = [&](const std::string& prefix) {
        int n = 0;
        for(const std::string& l : lines)
            n += l.compare(0, prefix.size(), prefix) == 0;
        return n;
    };
    // Each marker heads its own line: as many lines start with it as the log holds it.
    const char* const markers[] = { "   OPEN ", "   ACTIVATE ",    "      SETFOCUS ", "LEFTDOWN ",
                                    "LEFTUP ",  "  CHAR 'a' (97)", "   CLOSE " };
    for(const char* m : markers) {
        EXPECT_GE(starting(m), 1) << "no line starts with \"" << m << "\" in\n" << log;
        EXPECT_EQ(starting(m), CountOf(log, m)) << "\"" << m << "\" inside another line in\n" << log;
    }
    EXPECT_EQ(log.back(), '\n');
    EXPECT_NE(log.find("   OPEN lorvane \"Lorvane\"\n"), std::string::npos) << log;
}

} // namespace
