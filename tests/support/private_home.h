// A fresh HOME for tests that panic on purpose: a panic writes its block into the log
// under HOME, which must never be the real home folder of whoever runs the tests.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

class PrivateHome {
public:
    // A death-test child that runs the test again from its start finds the folder its
    // parent made (through the marker variable) and uses it instead of making its own,
    // which it could never remove.
    PrivateHome()
    {
        const char* marker = std::getenv(MARKER);
        const char* home = std::getenv("HOME");
        if(marker && home && std::string(marker) == home) {
            path = home;
            return;
        }
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/qor-home-XXXXXX";
        if(!mkdtemp(pattern.data()))
            std::abort(); // running on would put the log into the real home folder
        path = pattern;
        owned = true;
        if(home)
            old_home = home, had_home = true;
        setenv("HOME", path.c_str(), 1);
        setenv(MARKER, path.c_str(), 1);
    }
    ~PrivateHome()
    {
        if(!owned)
            return;
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
        if(had_home)
            setenv("HOME", old_home.c_str(), 1);
        else
            unsetenv("HOME");
        unsetenv(MARKER);
    }
    PrivateHome(const PrivateHome&) = delete;
    PrivateHome& operator=(const PrivateHome&) = delete;

    const std::string& Path() const { return path; }

private:
    static constexpr const char* MARKER = "QOR_TEST_PRIVATE_HOME";
    std::string path;
    std::string old_home;
    bool had_home = false;
    bool owned = false;
};
