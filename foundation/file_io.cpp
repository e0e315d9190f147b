// Whole-file load through FileIn, and save by replacing the file in one step.
#include "foundation/file_io.h"

#include "foundation/file_stream.h"
#include "foundation/system_text.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Qor {

namespace {

bool IsRegularFile(const char* path)
{
    struct stat st;
    return stat(ToSystemText(String(path)).Begin(), &st) == 0 && S_ISREG(st.st_mode);
}

// The first piece read; later pieces double the text read so far.
constexpr int64 FIRST_PIECE = 64 * 1024;

} // namespace

String ReadWholeFile(const char* path)
{
    if(!IsRegularFile(path))
        return String::GetVoid();
    FileIn in;
    if(!in.Open(path))
        return String::GetVoid();
    in.ClearError();
    int64 left = in.GetSize() - in.GetPos();
    if(left >= INT_MAX)
        return String::GetVoid(); // a String cannot hold it
    // The size is what the file said when it was opened, not what it holds now:
    // the text grows with the bytes that actually arrive.
    TextBuffer text;
    int len = 0;
    while(left > 0) {
        int piece = (int)std::min<int64>(left, std::max<int64>(FIRST_PIECE, len));
        text.SetLength(len + piece);
        uint32 got = in.Get(text.Begin() + len, (uint32)piece);
        len += (int)got;
        left -= got;
        if(got < (uint32)piece)
            break;
    }
    if(in.IsError())
        return String::GetVoid();
    if(text.GetLength() != len)
        text.SetLength(len);
    return String(text);
}

bool WriteWholeFile(const char* path, const String& data)
{
    String target = ToSystemText(String(path));
    // An existing file (through its links) keeps its place and mode; another writer's
    // lock on it is respected, as FileOut does.
    char resolved[PATH_MAX];
    if(realpath(target.Begin(), resolved))
        target = resolved;
    int held = open(target.Begin(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat old;
    if(held >= 0 && (fstat(held, &old) != 0 || !S_ISREG(old.st_mode) || flock(held, LOCK_EX | LOCK_NB) != 0)) {
        close(held);
        return false;
    }
    // The text goes to a new file beside the old one, which a rename then replaces in one
    // step: a full disk or a crash leaves either the old content or the new, never a mix.
    String temp;
    int fd = -1;
    for(int attempt = 0; fd < 0 && attempt < 100; attempt++) {
        char suffix[40];
        std::snprintf(suffix, sizeof(suffix), ".~%d.%d", (int)getpid(), attempt);
        temp = target + suffix;
        fd = open(temp.Begin(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if(fd < 0 && errno != EEXIST)
            break;
    }
    bool ok = fd >= 0 && (held < 0 || fchmod(fd, old.st_mode & 07777) == 0);
    for(int done = 0; ok && done < data.GetLength();) {
        ssize_t n = write(fd, data.Begin() + done, size_t(data.GetLength() - done));
        if(n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        done += ok ? (int)n : 0;
    }
    ok = ok && fsync(fd) == 0;
    if(fd >= 0)
        ok = close(fd) == 0 && ok;
    ok = ok && rename(temp.Begin(), target.Begin()) == 0;
    if(!ok && fd >= 0)
        unlink(temp.Begin());
    if(held >= 0)
        close(held);
    return ok;
}

} // namespace Qor
