// FolderScanner, the file wrappers and FileSystemInfo over a scratch folder.
#include "foundation/charset.h"
#include "foundation/file_system_info.h"
#include "foundation/folder_scanner.h"
#include "foundation/path.h"
#include "foundation/system_text.h"

#include <gtest/gtest.h>
#include "tests/support/printers.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <ftw.h>
#include <map>
#include <string>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>
#include <vector>

using namespace Qor;

namespace {

int RemoveOne(const char* path, const struct stat*, int, struct FTW*)
{
    return ::remove(path);
}

// A scratch folder holding:
//   a.txt (5 bytes), b.TXT (empty, read-only), notes (3 bytes), .hidden,
//   sub/ with inner.txt, link.txt -> a.txt, sublink -> sub, dangling -> missing.
class FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/qor_fs_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        char cwd[4096];
        ASSERT_NE(getcwd(cwd, sizeof(cwd)), nullptr);
        old_cwd = cwd;
        Write("a.txt", "hello");
        Write("b.TXT", "");
        ASSERT_EQ(chmod(P("b.TXT").c_str(), 0444), 0);
        Write("notes", "abc");
        Write(".hidden", "h");
        ASSERT_EQ(mkdir(P("sub").c_str(), 0755), 0);
        Write("sub/inner.txt", "inner");
        ASSERT_EQ(symlink("a.txt", P("link.txt").c_str()), 0);
        ASSERT_EQ(symlink("sub", P("sublink").c_str()), 0);
        ASSERT_EQ(symlink("missing", P("dangling").c_str()), 0);
    }

    void TearDown() override
    {
        EXPECT_EQ(chdir(old_cwd.c_str()), 0);
        nftw(dir.c_str(), RemoveOne, 16, FTW_DEPTH | FTW_PHYS);
    }

    std::string P(const std::string& name) const { return dir + "/" + name; }

    void Write(const std::string& name, const std::string& data)
    {
        FILE* f = std::fopen(P(name).c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(data.data(), 1, data.size(), f);
        std::fclose(f);
    }

    bool IsDirectory(const std::string& path) const
    {
        struct stat s;
        return stat(path.c_str(), &s) == 0 && S_ISDIR(s.st_mode);
    }

    // Every name a scan of the mask yields, sorted.
    static std::vector<std::string> Scan(const std::string& mask)
    {
        std::vector<std::string> names;
        FolderScanner scanner(mask.c_str());
        while(scanner.HasEntry()) {
            names.push_back(Std(scanner.GetName()));
            scanner.Next();
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string dir;
    std::string old_cwd;
};

using Names = std::vector<std::string>;

TEST_F(FileSystemTest, ScannerMatchesMasks)
{
    struct Case {
        const char* mask;
        Names names;
    } cases[] = {
        { "*.txt", { "a.txt", "b.TXT", "link.txt" } },
        { "*", { ".", "..", ".hidden", "a.txt", "b.TXT", "dangling", "link.txt", "notes", "sub", "sublink" } },
        { "*.", { "dangling", "notes", "sub", "sublink" } },
        { "?.*", { ".", "..", "a.txt", "b.TXT" } },  // "?" alone matches "."
        { ".*", { ".", "..", ".hidden" } },
        { "*.none", {} },
        { "sub/*.txt", { "inner.txt" } },
        { "sub/../sub/./*", { ".", "..", "inner.txt" } },
        { "nofolder/*", {} },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.mask);
        EXPECT_EQ(Scan(P(c.mask)), c.names);
    }
}

TEST_F(FileSystemTest, ScannerStateAcrossSearches)
{
    FolderScanner scanner;
    EXPECT_FALSE(scanner.HasEntry());
    EXPECT_FALSE(scanner.Next());

    ASSERT_TRUE(scanner.Search(P("sub/../*.txt").c_str()));
    EXPECT_EQ(Std(scanner.GetFolder()), dir);
    int found = 1;
    while(scanner.Next())
        found++;
    EXPECT_EQ(found, 3);
    // Past the end: no entry, no name, and the folder stays closed.
    EXPECT_FALSE(scanner.HasEntry());
    EXPECT_TRUE(scanner.GetName().IsEmpty());
    EXPECT_FALSE(scanner.Next());

    // A new search starts over, even in the middle of another.
    ASSERT_TRUE(scanner.Search(P("*").c_str()));
    ASSERT_TRUE(scanner.Search(P("sub/inner*").c_str()));
    EXPECT_EQ(Std(scanner.GetName()), "inner.txt");
    EXPECT_EQ(Std(scanner.GetFolder()), P("sub"));
    EXPECT_FALSE(scanner.Next());

    EXPECT_FALSE(scanner.Search(P("*.none").c_str()));
    EXPECT_FALSE(scanner.HasEntry());
}

TEST_F(FileSystemTest, ScannerSearchByName)
{
    struct Case {
        const char* name;
        bool found;
        bool directory;
        long size;
    } cases[] = {
        { "a.txt", true, false, 5 },
        { "link.txt", true, false, 5 },  // the link is followed
        { "sub", true, true, -1 },
        { "sublink", true, true, -1 },
        { "dangling", false, false, -1 },
        { "missing", false, false, -1 },
        { "sub/nothing/x", false, false, -1 },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FolderScanner scanner;
        EXPECT_EQ(scanner.Search(P(c.name).c_str()), c.found);
        EXPECT_EQ(scanner.HasEntry(), c.found);
        if(!c.found)
            continue;
        EXPECT_EQ(Std(scanner.GetName()), Std(NameOfPath(c.name)));
        EXPECT_TRUE(scanner.HasStatus());
        const struct stat& s = scanner.GetStatus();
        EXPECT_EQ(S_ISDIR(s.st_mode), c.directory);
        if(c.size >= 0) {
            EXPECT_EQ(s.st_size, c.size);
        }
    }
}

TEST_F(FileSystemTest, ScannerStatusFollowsLinksPerEntry)
{
    FolderScanner scanner(P("link*").c_str());
    ASSERT_TRUE(scanner.HasEntry());
    EXPECT_FALSE(scanner.HasStatus());  // read on demand
    EXPECT_TRUE(S_ISREG(scanner.GetStatus().st_mode));
    EXPECT_EQ(scanner.GetStatus().st_size, 5);
    EXPECT_TRUE(scanner.HasStatus());

    // A dangling link is an entry whose status cannot be read.
    ASSERT_TRUE(scanner.Search(P("dangl*").c_str()));
    scanner.GetStatus();
    EXPECT_FALSE(scanner.HasStatus());
}

TEST_F(FileSystemTest, MaskWithoutFolderUsesCurrentFolder)
{
    ASSERT_EQ(chdir(dir.c_str()), 0);
    EXPECT_EQ(Scan("*.txt"), (Names{ "a.txt", "b.TXT", "link.txt" }));
    FolderScanner scanner("notes");
    ASSERT_TRUE(scanner.HasEntry());
    EXPECT_EQ(Std(scanner.GetFolder()), Std(CurrentFolder()));
    EXPECT_EQ(scanner.GetStatus().st_size, 3);
}

TEST_F(FileSystemTest, FileExists)
{
    struct Case {
        const char* name;
        bool exists;
    } cases[] = {
        { "a.txt", true },  { "b.TXT", true },    { "link.txt", true }, { ".hidden", true },
        { "sub", false },   { "sublink", false }, { "dangling", false }, { "missing", false },
        { "sub/inner.txt", true },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FileExists(P(c.name).c_str()), c.exists);
    }
}

TEST_F(FileSystemTest, MoveAndDelete)
{
    EXPECT_TRUE(MoveFile(P("a.txt").c_str(), P("moved.txt").c_str()));
    EXPECT_FALSE(FileExists(P("a.txt").c_str()));
    EXPECT_TRUE(FileExists(P("moved.txt").c_str()));
    EXPECT_FALSE(MoveFile(P("a.txt").c_str(), P("again.txt").c_str()));

    EXPECT_TRUE(DeleteFile(P("moved.txt").c_str()));
    EXPECT_FALSE(FileExists(P("moved.txt").c_str()));
    EXPECT_FALSE(DeleteFile(P("moved.txt").c_str()));
    EXPECT_FALSE(DeleteFile(P("sub").c_str()));  // not a file
    EXPECT_TRUE(IsDirectory(P("sub")));
}

TEST_F(FileSystemTest, MakeFolderPath)
{
    EXPECT_TRUE(MakeFolderPath(P("x/y/z").c_str()));
    EXPECT_TRUE(IsDirectory(P("x/y/z")));

    // An existing folder: true, and nothing new appears.
    size_t before = Scan(P("*")).size();
    EXPECT_TRUE(MakeFolderPath(dir.c_str()));
    EXPECT_TRUE(MakeFolderPath(P("sub/").c_str()));
    EXPECT_EQ(Scan(P("*")).size(), before);

    EXPECT_TRUE(MakeFolderPath(P("p/../q/./r/").c_str()));
    EXPECT_TRUE(IsDirectory(P("q/r")));
    EXPECT_FALSE(IsDirectory(P("p")));

    // A file stands where a folder should be.
    EXPECT_FALSE(MakeFolderPath(P("a.txt").c_str()));
    EXPECT_FALSE(MakeFolderPath(P("a.txt/deeper").c_str()));

    ASSERT_EQ(chdir(dir.c_str()), 0);
    EXPECT_TRUE(MakeFolderPath("rel1/rel2"));
    EXPECT_TRUE(IsDirectory(P("rel1/rel2")));
}

TEST_F(FileSystemTest, ListEntriesRoot)
{
    OwnedArray<FileSystemEntry> list = StandardFileSystem().ListEntries("", 100);
    ASSERT_EQ(list.GetCount(), 1);
    const FileSystemEntry& root = list[0];
    EXPECT_EQ(Std(root.name), "/");
    EXPECT_EQ(root.root_kind, FileSystemEntry::ROOT_ENTRY);
    EXPECT_TRUE(IsNullInt64(root.length));
    EXPECT_TRUE(root.last_access_time.IsNull());
    EXPECT_TRUE(root.last_write_time.IsNull());
    EXPECT_TRUE(root.creation_time.IsNull());
    EXPECT_FALSE(root.is_directory || root.is_folder || root.is_file || root.read_only);
    EXPECT_EQ(root.mode, 0);
}

// The three times are the status's seconds taken as local time, whatever the zone.
TEST_F(FileSystemTest, ListedTimesAreLocalTimes)
{
    const char* old_tz = std::getenv("TZ");
    std::string saved = old_tz ? old_tz : "";
    setenv("TZ", "QOR-2", 1); // two hours east of UTC, no daylight saving
    tzset();
    struct timeval stamps[2] = { { 981173106, 0 }, { 981173106 + 3600, 0 } }; // 2001-02-03 04:05:06 UTC
    ASSERT_EQ(utimes(P("a.txt").c_str(), stamps), 0);
    OwnedArray<FileSystemEntry> list = StandardFileSystem().ListEntries(P("a.txt").c_str(), 1);
    if(old_tz)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list[0].last_access_time, Time(2001, 2, 3, 6, 5, 6));
    EXPECT_EQ(list[0].last_write_time, Time(2001, 2, 3, 7, 5, 6));
    EXPECT_FALSE(list[0].creation_time.IsNull());
}

TEST_F(FileSystemTest, ListEntriesFields)
{
    OwnedArray<FileSystemEntry> list = StandardFileSystem().ListEntries(P("*").c_str(), 1000);
    std::map<std::string, const FileSystemEntry*> by_name;
    for(const FileSystemEntry& e : list)
        by_name[Std(e.name)] = &e;
    ASSERT_EQ(list.GetCount(), 10);
    ASSERT_EQ(by_name.size(), 10u);

    struct Case {
        const char* name;
        bool directory, folder, file, link, read_only;
        int64 length;  // INT64_NULL when no status is read
    } cases[] = {
        { ".", true, false, false, false, false, -1 },
        { "..", true, false, false, false, false, -1 },
        { "sub", true, true, false, false, false, -1 },
        { "sublink", true, true, false, true, false, -1 },
        { "a.txt", false, false, true, false, false, 5 },
        { "b.TXT", false, false, true, false, true, 0 },
        { "link.txt", false, false, true, true, false, 5 },
        { ".hidden", false, false, true, false, false, 1 },
        { "notes", false, false, true, false, false, 3 },
        { "dangling", false, false, false, true, false, INT64_NULL },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(by_name.count(c.name), 1u);
        const FileSystemEntry& e = *by_name[c.name];
        EXPECT_EQ(e.is_directory, c.directory);
        EXPECT_EQ(e.is_folder, c.folder);
        EXPECT_EQ(e.is_file, c.file);
        EXPECT_EQ(e.is_symbolic_link, c.link);
        EXPECT_EQ(e.read_only, c.read_only);
        EXPECT_EQ(e.read_only_attribute, c.read_only);
        EXPECT_FALSE(e.is_hidden || e.is_archive || e.is_compressed || e.is_system || e.is_temporary);
        EXPECT_TRUE(e.extra_text1.IsEmpty() && e.extra_text2.IsEmpty());
        EXPECT_EQ(e.root_kind, FileSystemEntry::ORDINARY_ENTRY);
        if(c.length != -1) {
            EXPECT_EQ(e.length, c.length);
        }

        struct stat s;
        if(stat(P(c.name).c_str(), &s) == 0) {
            EXPECT_EQ(e.mode, (int32)s.st_mode);
            EXPECT_EQ(e.last_write_time, Time(s.st_mtime));
            EXPECT_EQ(e.last_access_time, Time(s.st_atime));
            EXPECT_EQ(e.creation_time, Time(s.st_ctime));
        }
        else {
            EXPECT_EQ(e.mode, 0);
            EXPECT_TRUE(e.last_write_time.IsNull());
        }
    }
}

TEST_F(FileSystemTest, ListEntriesCountsAndMisses)
{
    struct Case {
        const char* mask;
        int max_count;
        int expected;
    } cases[] = {
        { "*", 0, 1 },  // the first match is always listed
        { "*", -5, 1 },
        { "*", 1, 1 },
        { "*", 3, 3 },
        { "*", 10, 10 },
        { "*", 1000, 10 },
        { "*.txt", 1000, 3 },
        { "*.none", 1000, 0 },
        { "*.none", 0, 0 },
        { "nofolder/*", 1000, 0 },
        { "a.txt", 1000, 1 },
        { "missing", 1000, 0 },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mask) + " max " + std::to_string(c.max_count));
        EXPECT_EQ(StandardFileSystem().ListEntries(P(c.mask).c_str(), c.max_count).GetCount(), c.expected);
    }
    // A search by name lists that one entry, link flag from the entry itself.
    OwnedArray<FileSystemEntry> one = StandardFileSystem().ListEntries(P("link.txt").c_str(), 10);
    ASSERT_EQ(one.GetCount(), 1);
    EXPECT_EQ(Std(one[0].name), "link.txt");
    EXPECT_TRUE(one[0].is_symbolic_link && one[0].is_file);
    EXPECT_EQ(one[0].length, 5);
}

TEST_F(FileSystemTest, MakeFolderAndStyle)
{
    FileSystemInfo& fs = StandardFileSystem();
    EXPECT_EQ(&fs, &StandardFileSystem());
    EXPECT_EQ(fs.PathStyle(), 2);

    String error;
    EXPECT_TRUE(fs.MakeFolder(P("made").c_str(), error));
    EXPECT_TRUE(error.IsEmpty());
    EXPECT_TRUE(IsDirectory(P("made")));
    struct stat s;
    ASSERT_EQ(stat(P("made").c_str(), &s), 0);
    mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(s.st_mode & 0777, 0755u & ~mask);

    EXPECT_FALSE(fs.MakeFolder(P("made").c_str(), error));
    EXPECT_EQ(Std(error), Std(SystemErrorText(EEXIST)));
    EXPECT_FALSE(fs.MakeFolder(P("no/such/parent").c_str(), error));
    EXPECT_EQ(Std(error), Std(SystemErrorText(ENOENT)));
}

// Names travel through the system charset while the conversions are on.
TEST_F(FileSystemTest, NamesCrossTheSystemCharset)
{
    Write("\xE9t\xE9.txt", "latin");  // the name as an ISO 8859-1 system stores it
    SetSystemCharset(FindCharset("iso8859-1"));
    SetSystemTextActive(true);
    Names names = Scan(P("*t\xC3\xA9.txt"));
    bool exists = FileExists(P("\xC3\xA9t\xC3\xA9.txt").c_str());
    bool made = MakeFolderPath(P("d\xC3\xA9j\xC3\xA0/x").c_str());
    SetSystemTextActive(false);
    SetSystemCharset(-1);
    SetDefaultCharset(CHARSET_UTF8);

    EXPECT_EQ(names, (Names{ "\xC3\xA9t\xC3\xA9.txt" }));
    EXPECT_TRUE(exists);
    EXPECT_TRUE(made);
    EXPECT_TRUE(IsDirectory(P("d\xE9j\xE0/x")));
}

} // namespace
