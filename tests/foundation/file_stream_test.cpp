// FileStream, FileIn, FileOut and the whole-file helpers over a scratch folder:
// paging against a byte model, sizes, modes, locking and read-only errors.
#include "foundation/charset.h"
#include "foundation/file_io.h"
#include "foundation/file_stream.h"
#include "foundation/system_text.h"

#include <gtest/gtest.h>
#include "tests/support/printers.h"
#include "tests/support/temp_folder.h"

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <csignal>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qor;

namespace {

std::string Pattern(size_t n, int seed = 0)
{
    std::string s(n, 0);
    for(size_t i = 0; i < n; i++)
        s[i] = char((i * 7 + i / 251 + seed) & 0xFF);
    return s;
}

class FileStreamTest : public ::testing::Test {
protected:
    std::string P(const std::string& name) const { return dir + "/" + name; }

    // The file as the system sees it, read past any stream.
    std::string Content(const std::string& path) const
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void Store(const std::string& path, const std::string& data) const
    {
        std::ofstream(path, std::ios::binary) << data;
    }
    int64 DiskSize(const std::string& path) const
    {
        struct stat st;
        return stat(path.c_str(), &st) == 0 ? (int64)st.st_size : -1;
    }

    TempFolder folder{"qor_filestream"};
    std::string dir = folder.Path();
};

TEST_F(FileStreamTest, WriteSeekBackAndRead)
{
    std::string path = P("ten");
    FileStream f;
    ASSERT_TRUE(f.Open(path.c_str(), FileStream::CREATE));
    f.Put("0123456789");
    f.Seek(5);
    char got[5];
    ASSERT_EQ(f.Get(got, 5), 5u);
    EXPECT_EQ(std::string(got, 5), "56789");
    EXPECT_EQ(f.Get(), -1);
    EXPECT_EQ(f.GetSize(), 10);
    f.Close();
    EXPECT_FALSE(f.IsOpen());
    EXPECT_EQ(Content(path), "0123456789");
}

// Blocks written at offsets that start and end on, before and after page
// boundaries, over an existing file, read back in a different cut.
TEST_F(FileStreamTest, BlocksAcrossPageBoundaries)
{
    struct Case { int page; int64 offset; uint32 length; };
    const Case cases[] = {
        { 16, 0, 16 },  { 16, 0, 17 },  { 16, 15, 1 },  { 16, 15, 2 },   { 16, 3, 100 },
        { 16, 16, 64 }, { 16, 5, 27 },  { 16, 40, 200 }, { 2, 1, 9 },    { 4096, 100, 10000 },
        { 4096, 4095, 8193 }, { 4096, 0, 3 * 4096 },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "page " << c.page << " offset " << c.offset << " length " << c.length);
        std::string path = P("blocks");
        std::string model = Pattern(150, 1);
        Store(path, model);
        std::string data = Pattern(c.length, 77);
        {
            FileStream f;
            f.SetBufferSize(c.page);
            ASSERT_TRUE(f.Open(path.c_str(), FileStream::READWRITE));
            f.Seek(c.offset);
            f.Put(data.data(), c.length);
            EXPECT_EQ(f.GetPos(), c.offset + c.length);
            if((int64)model.size() < c.offset + c.length)
                model.resize(c.offset + c.length, 0);
            model.replace(c.offset, c.length, data);
            EXPECT_EQ(f.GetSize(), (int64)model.size());
            // Read everything back in pieces of a third of the block.
            f.Seek(0);
            std::string back;
            uint32 piece = c.length / 3 + 1;
            std::string buf(piece, 0);
            for(uint32 n; (n = f.Get(buf.data(), piece)) > 0;)
                back.append(buf.data(), n);
            EXPECT_EQ(back, model);
            EXPECT_FALSE(f.IsError());
        }
        EXPECT_EQ(Content(path), model);
    }
}

TEST_F(FileStreamTest, BlockPastTheEndOfAnEmptyFileLeavesZeros)
{
    std::string path = P("gap");
    std::string data = Pattern(10000, 3);
    {
        FileOut out(path.c_str());
        ASSERT_TRUE(out.IsOpen());
        out.Seek(100);
        out.Put(data.data(), 10000);
    }
    EXPECT_EQ(Content(path), std::string(100, 0) + data);
}

// Random puts, gets, seeks, resizes and flushes against a string model, for
// small and default pages; after each flush the file must equal the model.
TEST_F(FileStreamTest, RandomOperationsFollowTheModel)
{
    for(int page : { 2, 16, 64, 4096 }) {
        SCOPED_TRACE(testing::Message() << "page " << page);
        std::string path = P("model");
        std::mt19937 rng(page);
        std::string model;
        size_t pos = 0;
        FileStream f;
        f.SetBufferSize(page);
        ASSERT_TRUE(f.Open(path.c_str(), FileStream::CREATE));
        for(int step = 0; step < 3000; step++) {
            int op = rng() % 100;
            if(op < 30) {
                uint32 n = 1 + rng() % (3 * page + 5);
                std::string data = Pattern(n, step);
                if(n == 1)
                    f.Put(data[0]);
                else
                    f.Put(data.data(), n);
                if(model.size() < pos + n)
                    model.resize(pos + n);
                model.replace(pos, n, data);
                pos += n;
            }
            else if(op < 55) {
                uint32 n = 1 + rng() % (3 * page + 5);
                std::string got(n, 0);
                uint32 m = 0;
                if(n > 1)
                    m = f.Get(got.data(), n);
                else if(int ch = f.Get(); ch >= 0) {
                    got[0] = (char)ch;
                    m = 1;
                }
                size_t expect = std::min<size_t>(n, model.size() - pos);
                ASSERT_EQ(m, expect) << "step " << step;
                ASSERT_EQ(got.substr(0, m), model.substr(pos, m)) << "step " << step;
                pos += m;
            }
            else if(op < 80) {
                size_t p = rng() % (model.size() + 2 * page + 1);
                f.Seek((int64)p);
                if(p > model.size())
                    model.resize(p, 0);
                pos = p;
            }
            else if(op < 88) {
                size_t n = rng() % (model.size() + 2 * page + 1);
                f.SetSize((int64)n);
                model.resize(n, 0);
                pos = std::min(pos, n);
            }
            else {
                f.Flush();
                ASSERT_EQ(Content(path), model) << "step " << step;
            }
            ASSERT_EQ(f.GetPos(), (int64)pos) << "step " << step;
            ASSERT_EQ(f.GetSize(), (int64)model.size()) << "step " << step;
        }
        EXPECT_FALSE(f.IsError());
        f.Close();
        EXPECT_EQ(Content(path), model);
    }
}

TEST_F(FileStreamTest, SeekPastTheEnd)
{
    std::string path = P("seek");
    Store(path, "abcdef");
    {
        FileIn in(path.c_str());
        ASSERT_TRUE(in.IsOpen());
        in.Seek(100);
        EXPECT_EQ(in.GetPos(), 6);
        EXPECT_EQ(in.Get(), -1);
        in.Seek(2);
        EXPECT_EQ(in.Get(), 'c');
    }
    FileStream f(path.c_str(), FileStream::READWRITE);
    ASSERT_TRUE(f.IsOpen());
    f.Seek(20);
    // Extended at once, before anything is flushed.
    EXPECT_EQ(DiskSize(path), 20);
    EXPECT_EQ(Content(path), std::string("abcdef") + std::string(14, 0));
    f.Put('x');
    f.Close();
    EXPECT_EQ(Content(path), std::string("abcdef") + std::string(14, 0) + "x");
}

// Stale page bytes must not reach storage that a seek or resize grew.
TEST_F(FileStreamTest, GrowingStorageReadsAsZeros)
{
    std::string path = P("grow");
    FileStream f;
    f.SetBufferSize(64);
    ASSERT_TRUE(f.Open(path.c_str(), FileStream::CREATE));
    f.Put(std::string(40, 'a').c_str());
    f.SetSize(10);      // the page still holds 30 old bytes past the new end
    f.Seek(30);         // grows over them
    f.Put('b');
    f.SetSize(50);
    f.Close();
    EXPECT_EQ(Content(path), std::string(10, 'a') + std::string(20, 0) + "b" + std::string(19, 0));
}

TEST_F(FileStreamTest, SetSizeTruncatesAndKeepsThePosition)
{
    std::string path = P("size");
    std::string data = Pattern(10000);
    Store(path, data);
    FileStream f(path.c_str(), FileStream::READWRITE);
    ASSERT_TRUE(f.IsOpen());
    f.Seek(3000);
    f.SetSize(5000);
    EXPECT_EQ(DiskSize(path), 5000);
    EXPECT_EQ(f.GetPos(), 3000);
    EXPECT_EQ(f.GetSize(), 5000);
    EXPECT_EQ(f.Get(), (byte)data[3000]);
    f.Seek(4900);
    f.SetSize(100);
    EXPECT_EQ(f.GetPos(), 100);
    EXPECT_EQ(f.Get(), -1);
    f.Close();
    EXPECT_EQ(Content(path), data.substr(0, 100));
}

TEST_F(FileStreamTest, BufferSizeIsAPowerOfTwoAndKeepsTheData)
{
    const std::pair<uint32, int32> sizes[] = { { 5000, 4096 }, { 1, 2 }, { 0, 2 }, { 2, 2 }, { 3, 2 }, { 65536, 65536 } };
    for(auto [asked, page] : sizes) {
        FileStream f;
        f.SetBufferSize(asked);
        EXPECT_EQ(f.GetBufferSize(), page) << asked;
    }
    std::string path = P("resize");
    FileStream f;
    ASSERT_TRUE(f.Open(path.c_str(), FileStream::CREATE));
    EXPECT_EQ(f.GetBufferSize(), 4096);
    f.Put("hello world");
    f.Seek(6);
    f.SetBufferSize(4);   // the dirty page goes out first
    EXPECT_EQ(f.GetPos(), 6);
    EXPECT_EQ(Content(path), "hello world");
    f.Put("WORLD!");
    f.Seek(0);
    char got[12];
    EXPECT_EQ(f.Get(got, 12), 12u);
    EXPECT_EQ(std::string(got, 12), "hello WORLD!");
}

TEST_F(FileStreamTest, OpenModes)
{
    std::string path = P("modes");
    Store(path, "abc");
    FileStream f;
    ASSERT_TRUE(f.Open(path.c_str(), FileStream::APPEND));
    EXPECT_EQ(f.GetPos(), 3);
    EXPECT_TRUE(f.IsWritable());
    EXPECT_FALSE(f.IsLoading());
    f.Put("def");
    // Reopening closes (and flushes) the previous file.
    ASSERT_TRUE(f.Open(path.c_str(), FileStream::READWRITE | 0x20 | 0x40));
    EXPECT_EQ(Content(path), "abcdef");
    EXPECT_EQ(f.GetPos(), 0);
    EXPECT_EQ(f.GetSize(), 6);
    f.Put('X');
    ASSERT_TRUE(f.Open(path.c_str(), FileStream::READ));
    EXPECT_EQ(Content(path), "Xbcdef");
    EXPECT_TRUE(f.IsLoading());
    EXPECT_TRUE(f.IsReadable() && f.IsSeekable());
    EXPECT_FALSE(f.IsWritable());
    ASSERT_TRUE(f.Open(path.c_str(), FileStream::CREATE));
    EXPECT_EQ(f.GetSize(), 0);
    EXPECT_EQ(DiskSize(path), 0);
    // Append creates a missing file.
    ASSERT_TRUE(f.Open(P("new").c_str(), FileStream::APPEND));
    EXPECT_EQ(f.GetSize(), 0);
}

TEST_F(FileStreamTest, ReadOnlyAndFailedOpens)
{
    std::string path = P("ro");
    Store(path, "keep");
    {
        FileIn in(path.c_str());
        ASSERT_TRUE(in.IsOpen());
        EXPECT_EQ(in.Get(), 'k');
        in.Put('X');
        EXPECT_TRUE(in.IsError());
        EXPECT_EQ(in.Get(), -1);   // the error flag stops reading as well
    }
    {
        FileIn in(path.c_str());
        in.Put("XYZ");
        EXPECT_TRUE(in.IsError());
    }
    {
        FileIn in(path.c_str());
        in.SetSize(1);
        EXPECT_TRUE(in.IsError());
    }
    EXPECT_EQ(Content(path), "keep");

    FileIn missing(P("missing").c_str());
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_TRUE(missing.IsError());
    FileOut nowhere(P("no/such/folder").c_str());
    EXPECT_FALSE(nowhere.IsOpen());
    EXPECT_TRUE(nowhere.IsError());
    // A successful open clears the error flag.
    ASSERT_TRUE(missing.Open(path.c_str()));
    EXPECT_FALSE(missing.IsError());
}

TEST_F(FileStreamTest, ErrorFlagKeepsTheDirtyPageOut)
{
    std::string path = P("err");
    {
        FileOut out(path.c_str());
        out.Put("lost");
        out.SetError();
        out.Flush();
        EXPECT_EQ(out.GetSize(), 0);
    }
    EXPECT_EQ(Content(path), "");
    {
        FileOut out(path.c_str());
        out.Put("kept");
    }
    EXPECT_EQ(Content(path), "kept");
}

TEST_F(FileStreamTest, LockedFileIsNotTruncated)
{
    std::string path = P("locked");
    Store(path, "precious");
    FileOut first(path.c_str());
    ASSERT_TRUE(first.IsOpen());
    first.Put("mine");
    first.Flush();
    FileStream second;
    EXPECT_FALSE(second.Create(path.c_str()));
    EXPECT_FALSE(second.IsOpen());
    EXPECT_FALSE(second.IsError());
    EXPECT_FALSE(second.Open(path.c_str(), FileStream::READWRITE | FileStream::EXCLUSIVE));
    EXPECT_FALSE(second.IsError());
    EXPECT_EQ(Content(path), "mine");
}

// Another process holds the lock: creating, exclusive opens and whole-file
// writes fail and the content survives; unlocked reading still works.
TEST_F(FileStreamTest, LockHeldByAnotherProcess)
{
    std::string path = P("shared");
    Store(path, "other's data");
    int ready[2], done[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(done), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if(child == 0) {
        int fd = open(path.c_str(), O_RDWR);
        char c = fd >= 0 && flock(fd, LOCK_EX) == 0 ? 'y' : 'n';
        if(write(ready[1], &c, 1) != 1 || read(done[0], &c, 1) < 0)
            _exit(2);
        _exit(0);
    }
    char c = 0;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    ASSERT_EQ(c, 'y');

    FileOut out(path.c_str());
    EXPECT_FALSE(out.IsOpen());
    EXPECT_FALSE(out.IsError());
    FileStream f;
    EXPECT_FALSE(f.Open(path.c_str(), FileStream::CREATE | FileStream::EXCLUSIVE));
    EXPECT_FALSE(WriteWholeFile(path.c_str(), "mine"));
    EXPECT_EQ(Content(path), "other's data");
    EXPECT_EQ(Std(ReadWholeFile(path.c_str())), "other's data");

    ASSERT_EQ(write(done[1], "x", 1), 1);
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(status, 0);
    for(int fd : { ready[0], ready[1], done[0], done[1] })
        close(fd);
    EXPECT_TRUE(out.Open(path.c_str()));
    EXPECT_EQ(DiskSize(path), 0);
}

TEST_F(FileStreamTest, WholeFileLoadAndSave)
{
    std::string big = Pattern(300000, 9);   // several pieces of the reader
    big[5] = 0;
    const std::string texts[] = { "", "x", std::string("a\0b", 3), big };
    for(const std::string& t : texts) {
        std::string path = P("whole");
        ASSERT_TRUE(WriteWholeFile(path.c_str(), String(t.data(), (int)t.size())));
        EXPECT_EQ(Content(path), t);
        String back = ReadWholeFile(path.c_str());
        EXPECT_FALSE(back.IsVoid());
        EXPECT_EQ(Std(back), t);
    }
    // Saving over a longer file truncates it.
    ASSERT_TRUE(WriteWholeFile(P("whole").c_str(), "short"));
    EXPECT_EQ(Content(P("whole")), "short");

    EXPECT_TRUE(ReadWholeFile(dir.c_str()).IsVoid());
    EXPECT_TRUE(ReadWholeFile(P("missing").c_str()).IsVoid());
    EXPECT_FALSE(WriteWholeFile(P("no/such/file").c_str(), "x"));
}

// A save that fails half-way (here: a file-size limit, as a full disk) must leave the
// old content as it was, and no scratch file behind.
TEST_F(FileStreamTest, WholeFileSaveReplacesCompletelyOrNotAtAll)
{
    std::string path = P("keep");
    Store(path, "old content");
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    std::string big = Pattern(200000, 3);
    pid_t child = fork();
    if(child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit = {100000, 100000};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(WriteWholeFile(path.c_str(), String(big.data(), (int)big.size())) ? 1 : 0);
    }
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the failed save reported success";
    EXPECT_EQ(Content(path), "old content");
    int entries = 0;
    for(const auto& e : std::filesystem::directory_iterator(dir))
        entries += e.path() != path;
    EXPECT_EQ(entries, 0) << "a scratch file was left";

    ASSERT_TRUE(WriteWholeFile(path.c_str(), String(big.data(), (int)big.size())));
    EXPECT_EQ(Content(path), big);
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    // Through a link the file behind it is replaced; the link stays.
    std::string link = P("link");
    ASSERT_EQ(symlink(path.c_str(), link.c_str()), 0);
    ASSERT_TRUE(WriteWholeFile(link.c_str(), "via link"));
    EXPECT_EQ(Content(path), "via link");
    struct stat lst;
    ASSERT_EQ(lstat(link.c_str(), &lst), 0);
    EXPECT_TRUE(S_ISLNK(lst.st_mode));
}

TEST_F(FileStreamTest, PathsCrossTheSystemCharset)
{
    SetSystemCharset(FindCharset("iso8859-1"));
    SetSystemTextActive(true);
    std::string name = P("\xC3\xA9t\xC3\xA9");   // UTF-8 in the program
    bool written = WriteWholeFile(name.c_str(), "latin");
    String back = ReadWholeFile(name.c_str());
    FileIn in(name.c_str());
    bool opened = in.IsOpen();
    SetSystemTextActive(false);
    SetSystemCharset(-1);
    SetDefaultCharset(CHARSET_UTF8);

    EXPECT_TRUE(written);
    EXPECT_EQ(Std(back), "latin");
    EXPECT_TRUE(opened);
    EXPECT_EQ(Content(P("\xE9t\xE9")), "latin");   // stored under the ISO 8859-1 name
}

} // namespace
