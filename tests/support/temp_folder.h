// A private temporary folder for a test, and a fixture that makes such a folder
// the home folder while the test runs.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

// Made under /tmp when constructed, removed with everything in it when destroyed.
class TempFolder {
public:
    explicit TempFolder(const char* prefix = "qor_test")
    {
        std::string pattern = std::string("/tmp/") + prefix + "_XXXXXX";
        if(mkdtemp(pattern.data()))
            path = pattern;
        else
            ADD_FAILURE() << "cannot make a folder from " << pattern;
    }
    ~TempFolder()
    {
        std::error_code ignored;
        if(!path.empty())
            std::filesystem::remove_all(path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path; }
    std::string Path(const std::string& name) const { return path + "/" + name; }

private:
    std::string path;
};

// HOME names a fresh private folder during each test and is restored after it.
class HomeFolderTest : public ::testing::Test {
protected:
    TempFolder home{"qor_home"};

    void SetUp() override
    {
        const char* old = std::getenv("HOME");
        had_home = old != nullptr;
        old_home = old ? old : "";
        setenv("HOME", home.Path().c_str(), 1);
    }
    void TearDown() override
    {
        if(had_home)
            setenv("HOME", old_home.c_str(), 1);
        else
            unsetenv("HOME");
    }

private:
    bool had_home = false;
    std::string old_home;
};
