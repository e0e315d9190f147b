// Runs the test binary again as a child with its own arguments, environment and
// folder; the child reports "key=value" lines on descriptor 3 and its standard
// error is kept, so start-up behaviour can be checked in a fresh process.
#pragma once

#include "tests/support/test_child.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>
#include <string>
#include <vector>

struct ChildRun {
    int status = -1;
    std::map<std::string, std::string> report;
    std::string error_output;

    const std::string& operator[](const std::string& key) const
    {
        static const std::string missing = "<missing>";
        auto it = report.find(key);
        return it == report.end() ? missing : it->second;
    }
    bool ExitedCleanly() const { return WIFEXITED(status) && WEXITSTATUS(status) == 0; }
    int ExitStatus() const { return WIFEXITED(status) ? WEXITSTATUS(status) : -1; }
};

inline std::string SelfPath()
{
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof(path) - 1);
    return n > 0 ? std::string(path, (size_t)n) : std::string();
}

inline std::string ReadAll(int fd)
{
    std::string out;
    char buffer[4096];
    ssize_t n;
    while((n = read(fd, buffer, sizeof(buffer))) > 0)
        out.append(buffer, (size_t)n);
    close(fd);
    return out;
}

// Standard output goes to /dev/null; a folder that cannot be entered exits 126.
inline ChildRun RunChildProcess(const std::string& executable, std::vector<std::string> args,
                                std::vector<std::string> env, const std::string& folder = "")
{
    std::vector<char*> argv, envp;
    for(std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    for(std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    ChildRun run;
    int report_pipe[2], error_pipe[2];
    if(executable.empty() || pipe(report_pipe) || pipe(error_pipe))
        return run;
    pid_t parent = getpid();
    pid_t pid = fork();
    if(pid == 0) {
        if(!folder.empty() && chdir(folder.c_str()) != 0)
            _exit(126);
        QorTest::PrepareTestChild(parent, -1, -1, error_pipe[1], report_pipe[1]);
        execve(executable.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    close(report_pipe[1]);
    close(error_pipe[1]);
    std::string report = ReadAll(report_pipe[0]);
    run.error_output = ReadAll(error_pipe[0]);
    waitpid(pid, &run.status, 0);
    for(size_t start = 0; start < report.size();) {
        size_t end = report.find('\n', start);
        if(end == std::string::npos)
            end = report.size();
        std::string line = report.substr(start, end - start);
        size_t eq = line.find('=');
        if(eq != std::string::npos)
            run.report.emplace(line.substr(0, eq), line.substr(eq + 1));
        start = end + 1;
    }
    return run;
}
