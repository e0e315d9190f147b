// Path text operations and name masks.
#include "foundation/path.h"
#include "foundation/folder_scanner.h"
#include "foundation/process_environment.h"

#include <gtest/gtest.h>
#include "tests/support/printers.h"
#include "tests/support/temp_folder.h"

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <cstring>
#include <string>
#include <unistd.h>

using namespace Qor;

namespace {

TEST(PathParts, NameFolderTitleExtension)
{
    struct Case {
        const char* path;
        const char* name;
        const char* folder;
        const char* title;
        const char* extension;
    } cases[] = {
        { "/a/b.txt", "b.txt", "/a", "b", ".txt" },
        { "/etc", "etc", "/", "etc", "" },
        { "/etc/", "", "/etc", "", "" },
        { "etc", "etc", "", "etc", "" },
        { "", "", "", "", "" },
        { "/", "", "/", "", "" },
        { "/a/x.tar.gz", "x.tar.gz", "/a", "x.tar", ".gz" },
        { ".bashrc", ".bashrc", "", "", ".bashrc" },
        { "/a.b/c", "c", "/a.b", "c", "" },
        { "a/b/c.", "c.", "a/b", "c", "." },
        { "//srv", "srv", "/", "srv", "" },
        { "a\\b.c", "a\\b.c", "", "a\\b", ".c" },  // only '/' separates here
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(Std(NameOfPath(c.path)), c.name);
        EXPECT_EQ(Std(FolderOfPath(c.path)), c.folder);
        EXPECT_EQ(Std(FileTitle(c.path)), c.title);
        EXPECT_EQ(Std(ExtensionOfPath(c.path)), c.extension);
        const char* ext = FindPathExtension(c.path);
        EXPECT_EQ(std::string(ext), c.extension);
        EXPECT_TRUE(ext >= c.path && ext <= c.path + std::strlen(c.path));
    }
}

TEST(PathParts, FullPathAndWildcards)
{
    EXPECT_TRUE(IsFullPath("/"));
    EXPECT_TRUE(IsFullPath("/usr"));
    EXPECT_FALSE(IsFullPath("usr/"));
    EXPECT_FALSE(IsFullPath(""));
    EXPECT_FALSE(IsFullPath("~/x"));

    EXPECT_TRUE(HasWildcards("*.c"));
    EXPECT_TRUE(HasWildcards("a?"));
    EXPECT_FALSE(HasWildcards("/a/b.c"));
    EXPECT_FALSE(HasWildcards(""));
}

TEST(PathJoin, SeparatorOnlyWhereNeeded)
{
    struct Case {
        const char* folder;
        const char* name;
        const char* expected;
    } cases[] = {
        { "", "x", "x" },
        { "/", "x", "/x" },
        { "a", "/x", "a/x" },
        { "a", "x", "a/x" },
        { "/a/b/", "c.txt", "/a/b/c.txt" },
        { "a", "", "a/" },
        { "", "", "" },
        { "/a", "/", "/a/" },
        { "a/", "/x", "a//x" },  // both separators are kept
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(std::string(c.folder) + " + " + c.name);
        EXPECT_EQ(Std(JoinPath(c.folder, c.name)), c.expected);
    }
    String long_folder("/a/folder/name/long/enough/for/a/shared/block");
    EXPECT_EQ(Std(JoinPath(long_folder, "f")), Std(long_folder) + "/f");
    EXPECT_EQ(Std(long_folder), "/a/folder/name/long/enough/for/a/shared/block");
}

// HOME is "/home/u" for each test.
class PathNormalize : public HomeFolderTest {
protected:
    PathNormalize() : HomeFolderTest("/home/u") {}
};

TEST_F(PathNormalize, Table)
{
    struct Case {
        const char* path;
        const char* current;
        const char* expected;
    } cases[] = {
        { "/a/b/../c/./", "/x", "/a/c" },
        { "/..", "/x", "/" },
        { "/", "/x", "/" },
        { "x/y", "/home/u", "/home/u/x/y" },
        { "", "/home/u", "/home/u" },
        { ".", "/home/u", "/home/u" },
        { "..", "/home/u", "/home" },
        { "../../..", "/a", "/" },
        { "a\\b", "/c", "/c/a/b" },
        { "\\a\\\\b", "/c", "/a/b" },
        { "//srv/x", "/c", "//srv/x" },
        { "\\\\srv\\x", "/c", "//srv/x" },
        { "x", "//srv/share", "//srv/share/x" },
        { "..", "//srv", "//" },
        { "...", "/a", "/a/..." },
        { "a//b///c", "/", "/a/b/c" },
        { "a/.hidden/..x", "/", "/a/.hidden/..x" },
        { "x", "", "/x" },
        { "x", "relative/cur", "/relative/cur/x" },
        { "~", "/c", "/home/u" },
        { "~/docs", "/c", "/home/u/docs" },
        { "~/a/../b/./c/", "/c", "/home/u/b/c" },
        { "~\\docs", "/c", "/home/u/docs" },
        { "~/..", "/c", "/home/u" },  // ".." stops at the home folder
        // A '~' that is not alone is part of an ordinary relative name.
        { "~notes", "/c", "/c/~notes" },
        { "~notes/x", "/c", "/c/~notes/x" },
        { "a/~", "/c", "/c/a/~" },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path) + " against " + c.current);
        EXPECT_EQ(Std(NormalizePath(c.path, c.current)), c.expected);
    }
}

TEST_F(PathNormalize, HomeFolderEdges)
{
    setenv("HOME", "/", 1);
    ForgetHomeFolder();
    EXPECT_EQ(Std(NormalizePath("~/a", "/c")), "/a");  // not the network form "//a"
    EXPECT_EQ(Std(NormalizePath("~", "/c")), "/");
    unsetenv("HOME");
    ForgetHomeFolder();
    EXPECT_EQ(Std(NormalizePath("~/a", "/c")), "/root/a");
    setenv("HOME", "", 1);
    ForgetHomeFolder();
    EXPECT_EQ(Std(NormalizePath("~", "/c")), "/root");
}

TEST(PathCurrent, CurrentFolderAndAbsolutePath)
{
    char buffer[4096];
    ASSERT_NE(getcwd(buffer, sizeof(buffer)), nullptr);
    EXPECT_EQ(Std(CurrentFolder()), buffer);
    EXPECT_EQ(Std(MakeAbsolutePath("x/../y")), Std(NormalizePath("y", buffer)));
    EXPECT_EQ(Std(MakeAbsolutePath("/q/./r")), "/q/r");
}

// A working folder longer than any fixed buffer is still read, so relative paths resolve
// below it and never against "/". Run in a child: the folder is changed for good there.
TEST(PathCurrent, LongWorkingFolder)
{
    char pattern[] = "/tmp/qor_deep_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    std::string deep = pattern;
    const std::string level(60, 'd');
    while(deep.size() < 3000) { // past the old 1023 bytes, within what mkdir takes
        deep += "/" + level;
        ASSERT_EQ(mkdir(deep.c_str(), 0755), 0);
    }
    pid_t child = fork();
    if(child == 0) {
        if(chdir(deep.c_str()) != 0)
            _exit(10);
        if(Std(CurrentFolder()) != deep)
            _exit(11);
        if(Std(MakeAbsolutePath("a/b")) != deep + "/a/b")
            _exit(12);
        if(!MakeFolderPath(String("a/b")))
            _exit(13);
        _exit(0);
    }
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "10 chdir, 11 CurrentFolder, 12 absolute path, 13 folder creation";
    struct stat st;
    EXPECT_EQ(stat((deep + "/a/b").c_str(), &st), 0);
    std::filesystem::remove_all(pattern);
}

TEST(PathMask, Wildcard)
{
    struct Case {
        const char* pattern;
        const char* name;
        bool match;
    } cases[] = {
        { "*.TXT", "readme.txt", true },
        { "*.txt", "README.TXT", true },
        { "a?c", "abc", true },
        { "a?c", "ac", false },
        { "?", "", false },
        { "*", "", true },
        { "*", "anything.at.all", true },
        { "***", "x", true },
        { "*?", "x", true },
        { "*?", "", false },
        { "a*", "ba", false },
        { "a*", "a", true },
        { "*a", "ba", true },
        { "*a", "ab", false },
        { "a*b*c", "a_b_b_c", true },
        { "a*b*c", "a_c_b", false },
        { "*.c", "x.c.c", true },
        { "*ab", "aab", true },         // the '*' must give back what it took
        { "*a?c", "abaxc", true },
        { "*a?c", "aabac", false },
        { "", "", true },
        { "", "x", false },
        { "abc", "ab", false },
        { "ab", "abc", false },
        { "[ab]", "a", false },         // no classes
        { "[ab]", "[AB]", true },
        { "\\*", "\\x", true },         // no escapes
        { "\xE9t\xE9", "\xC9T\xC9", true },  // Latin-1 letters fold by byte value
        { "\xE9", "e", false },
        { "*a*a*a*a*a*a*a*a*a*a*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " ~ " + c.name);
        EXPECT_EQ(MatchesWildcard(c.pattern, c.name), c.match);
    }
}

TEST(PathMask, PatternExtensionRules)
{
    struct Case {
        const char* pattern;
        const char* name;
        bool match;
    } cases[] = {
        { "*.", "Makefile", true },
        { "*.", "a.c", false },
        { "*.", "", true },
        { "M*.", "Makefile", true },
        { "M*.", "make", true },
        { "x*.", "Makefile", false },
        { "doc.*", "doc", true },
        { "doc.*", "doc.pdf", true },
        { "doc.*", "DOC.tar.gz", true },
        { "doc.*", "docs", false },
        { "*.*", "noextension", true },
        { "*.*", "", true },
        { "*.*", "a.b", true },
        { "*.c", "a.c", true },
        { "*.c", "a.h", false },
        { "a.b.*", "a.b", false },      // only the first '.' counts
        { "a.b.*", "a.b.c", true },
        { "a.*x", "a", false },
        { "a.*x", "a.x", true },
        { "noext", "noext", true },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " ~ " + c.name);
        EXPECT_EQ(MatchesPattern(c.pattern, c.name), c.match);
    }
}

TEST(PathMask, PatternList)
{
    struct Case {
        const char* patterns;
        const char* name;
        bool match;
    } cases[] = {
        { "*.c;*.h", "x.h", true },
        { "*.c;*.h", "x.c", true },
        { "*.c;*.h", "x.cpp", false },
        { "*.c, *.h", "x.h", true },
        { "*.c ,; *.h", "x.h", true },
        { "*.c ,; *.h", "", false },
        { "", "x.h", false },
        { "", "", false },
        { ";*.h", "", true },           // a leading separator makes an empty piece
        { ";*.h", "x", false },
        { "*.h;", "", false },
        { "doc.* *.", "doc", true },
        { "doc.* *.", "Makefile", true },
        { "doc.* *.", "a.b", false },
        { "A.TXT", "a.txt", true },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(std::string(c.patterns) + " ~ " + c.name);
        EXPECT_EQ(MatchesPatternList(c.patterns, c.name), c.match);
    }
}

} // namespace
