// Running the current test again in a child process on a private X server.

#include "tests/support/x11/private_server_run.h"

#include "foundation/process.h"
#include "tests/support/test_child.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace QorTest {

namespace {

// Names the test a child process is to run; set only in the child's environment.
const char* const CHILD_VARIABLE = "QOR_PRIVATE_SERVER_TEST";

std::string CurrentTestName()
{
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return info ? std::string(info->test_suite_name()) + "." + info->name() : std::string();
}

std::string ReadFile(FILE* f)
{
    std::string text;
    rewind(f);
    char buffer[4096];
    size_t n;
    while((n = fread(buffer, 1, sizeof(buffer), f)) > 0)
        text.append(buffer, n);
    return text;
}

} // namespace

bool IsPrivateServerChild()
{
    const char* name = std::getenv(CHILD_VARIABLE);
    return name && CurrentTestName() == name;
}

void RunTestOnPrivateServer(const XvfbServer& server, int limit_ms)
{
    ASSERT_FALSE(server.GetName().empty()) << "the private Xvfb server did not start";
    std::string test = CurrentTestName();
    std::string filter = "--gtest_filter=" + test;
    FILE* output = tmpfile();
    ASSERT_NE(output, nullptr);
    pid_t parent = getpid();
    pid_t pid = fork();
    if(pid == 0) {
        setenv("DISPLAY", server.GetName().c_str(), 1);
        setenv(CHILD_VARIABLE, test.c_str(), 1);
        PrepareTestChild(parent, -1, fileno(output), fileno(output));
        execl("/proc/self/exe", "x11_tests", filter.c_str(), (char*)nullptr);
        _exit(127);
    }
    ASSERT_GT(pid, 0) << "fork failed";
    int status = 0;
    bool ended = true;
    for(Qor::uint32 start = Qor::MonotonicMs(); waitpid(pid, &status, WNOHANG) == 0; usleep(20000))
        if(Qor::MonotonicMs() - start > Qor::uint32(limit_ms)) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            ended = false;
            break;
        }
    std::string text = ReadFile(output);
    fclose(output);
    EXPECT_TRUE(ended) << test << " did not end within " << limit_ms << " ms on " << server.GetName() << "\n" << text;
    // A filter that matched nothing also exits 0: the child must have run the test.
    bool passed = ended && WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
                  text.find("[       OK ] " + test) != std::string::npos;
    EXPECT_TRUE(passed) << test << " failed on the private server " << server.GetName() << "\n" << text;
}

} // namespace QorTest
