// The lookup program started without a display: it says so and fails.
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

TEST(LorvaneStart, WithoutADisplayItSaysSoAndExitsNonZero)
{
    TempFolder home("lorvane_home"); // the panic writes its log there
    std::string command = "ulimit -c 0; env -u DISPLAY HOME=" + home.Path() + " " QOR_LORVANE_PROGRAM " 2>&1";
    FILE* p = popen(command.c_str(), "r");
    ASSERT_TRUE(p);
    std::string out;
    char buf[512];
    for(size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;)
        out.append(buf, n);
    int status = pclose(p);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 0);
    EXPECT_NE(out.find("No X11 display"), std::string::npos) << out;
}
