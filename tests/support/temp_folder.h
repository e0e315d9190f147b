// A private temporary folder for a test, and a fixture that makes such a folder
// the home folder while the test runs.
#pragma once

#include "foundation/process_environment.h"

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

// HOME names a fresh private folder (or the fixed one given) during each test
// and is put back after it; the cached home folder is forgotten both times.
class HomeFolderTest : public ::testing::Test {
protected:
    explicit HomeFolderTest(const char* fixed_home = nullptr) : fixed(fixed_home) {}

    TempFolder home{ "qor_home" };

    void SetUp() override
    {
        const char* old = std::getenv("HOME");
        had_home = old != nullptr;
        old_home = old ? old : "";
        setenv("HOME", fixed ? fixed : home.Path().c_str(), 1);
        Qor::ForgetHomeFolder();
    }
    void TearDown() override
    {
        if(had_home)
            setenv("HOME", old_home.c_str(), 1);
        else
            unsetenv("HOME");
        Qor::ForgetHomeFolder();
    }

private:
    const char* fixed;
    bool had_home = false;
    std::string old_home;
};
