// Runs a command through the shell and collects what it prints.
#include "tests/pdf/support/run_tool.h"

#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>

namespace Qor::test {

ToolRun RunTool(const std::string& command)
{
    ToolRun run;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if(!pipe)
        return run;
    char buffer[4096];
    size_t n;
    while((n = fread(buffer, 1, sizeof(buffer), pipe)) > 0)
        run.output.append(buffer, n);
    int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string PdfSupportFile(const char* name)
{
    const char* source = std::getenv("QOR_TEST_SOURCE");
    return std::string(source ? source : QOR_SOURCE_FOLDER) + "/tests/pdf/support/" + name;
}

std::string Quote(const std::string& s)
{
    std::string q = "'";
    for(char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

} // namespace Qor::test
