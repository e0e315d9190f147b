// Names that lead to a FIFO (a hostile q.ini, an @include, a translation file): every
// reader refuses them at once instead of waiting for a writer that never comes.
#include "foundation/file_io.h"
#include "foundation/file_stream.h"
#include "foundation/ini.h"
#include "foundation/string_stream.h"
#include "foundation/values/translation_file.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <pthread.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qor;

namespace {

class SpecialFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/qor_special_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        fifo = dir + "/pipe";
        ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // Runs read here; when it is still waiting after three seconds, a watchdog thread opens and
    // closes a writer so that it ends (the test then fails rather than hangs). The watchdog
    // is a bare thread that touches no heap: the heap serves one thread only.
    bool EndsAtOnce(const std::function<void()>& read)
    {
        Watchdog watchdog{ fifo.c_str() };
        pthread_t thread;
        if(pthread_create(&thread, nullptr, Watchdog::Run, &watchdog) != 0) {
            ADD_FAILURE() << "cannot start the watchdog";
            return false;
        }
        read();
        watchdog.done = true;
        pthread_join(thread, nullptr);
        return !watchdog.fired;
    }

    struct Watchdog {
        const char* fifo;
        std::atomic<bool> done{ false };
        std::atomic<bool> fired{ false };

        static void* Run(void* arg)
        {
            Watchdog& w = *static_cast<Watchdog*>(arg);
            for(int i = 0; i < 300 && !w.done; i++)
                usleep(10000);
            if(!w.done) {
                w.fired = true;
                int fd = open(w.fifo, O_WRONLY | O_NONBLOCK);
                if(fd >= 0)
                    close(fd);
            }
            return nullptr;
        }
    };

    std::string dir, fifo;
};

} // namespace

TEST_F(SpecialFiles, ReadersRefuseAFifoWithoutWaiting)
{
    const char* path = fifo.c_str();
    struct Case {
        const char* name;
        std::function<void()> read;
    } cases[] = {
        {"FileIn", [&] {
             FileIn in;
             EXPECT_FALSE(in.Open(path));
             EXPECT_TRUE(in.IsError());
         }},
        {"FileOut", [&] {
             FileOut out;
             EXPECT_FALSE(out.Open(path));
         }},
        {"ReadWholeFile", [&] { EXPECT_TRUE(ReadWholeFile(path).IsVoid()); }},
        {"ini sections", [&] {
             IniSections sections = LoadIniSections(path); // as for a missing file
             ASSERT_EQ(sections.GetCount(), 1);
             EXPECT_EQ(sections[0].GetCount(), 0);
         }},
        {"translation file", [&] {
             String error;
             EXPECT_TRUE(LoadTranslationFile(path, &error)); // as a missing file: nothing added
             EXPECT_TRUE(error.IsEmpty());
         }},
        {"ini include", [&] {
             StringStream in(String(("a=1\n@include " + fifo + "\nb=2\n").c_str()));
             KeyMap<String, String> map;
             ReadIniLines(in, map, (dir + "/q.ini").c_str());
             EXPECT_EQ(map.GetCount(), 2);
         }},
    };
    for(const Case& c : cases)
        EXPECT_TRUE(EndsAtOnce(c.read)) << c.name << " waited for a writer";
}

TEST_F(SpecialFiles, DevicesStillOpen)
{
    FileIn in;
    EXPECT_TRUE(in.Open("/dev/null"));
    FileIn folder;
    EXPECT_FALSE(folder.Open(dir.c_str()));
}
