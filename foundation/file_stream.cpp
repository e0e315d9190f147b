// FileStream: opening, locking and closing files, and the positioned reads,
// writes and resizing the page logic asks for.
#include "foundation/file_stream.h"

#include "foundation/system_text.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Qor {

FileStream::~FileStream()
{
    Close();
}

FileIn::~FileIn() = default;
FileOut::~FileOut() = default;

void FileStream::Close()
{
    if(fd == -1)
        return;
    Flush();
    if(close(fd) != 0)
        SetError();
    fd = -1;
}

bool FileStream::Open(const char* path, uint32 mode, int permissions)
{
    return OpenDescriptor(path, mode, (mode & EXCLUSIVE) != 0, permissions);
}

bool FileStream::Create(const char* path, int permissions)
{
    return OpenDescriptor(path, CREATE, true, permissions);
}

bool FileStream::OpenDescriptor(const char* path, uint32 mode, bool lock, int permissions)
{
    Close();
    uint32 open_mode = mode & ~uint32(FLAGS);
    int flags = O_RDWR | O_CREAT;
    dword new_style = STRM_READ | STRM_WRITE | STRM_SEEK;
    bool truncate = open_mode == CREATE;
    if(open_mode == READ) {
        flags = O_RDONLY;
        new_style = STRM_LOADING | STRM_READ | STRM_SEEK;
    }
    // A locked open truncates only once the lock is held: a file that another
    // writer holds keeps its content when this open fails.
    if(truncate && !lock)
        flags |= O_TRUNC;
    String system_path = ToSystemText(String(path));
    int d;
    // Without O_NONBLOCK, opening a FIFO waits for its other end, forever if none comes;
    // pipes, sockets and folders are then refused here: this stream pages over storage.
    do
        d = open(system_path.Begin(), flags | O_CLOEXEC | O_NONBLOCK, permissions);
    while(d < 0 && errno == EINTR);
    if(d < 0) {
        SetError();
        return false;
    }
    struct stat info;
    if(fstat(d, &info) != 0 || S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode) || S_ISDIR(info.st_mode)) {
        close(d);
        SetError();
        return false;
    }
    fcntl(d, F_SETFL, fcntl(d, F_GETFL) & ~O_NONBLOCK); // a device reads as it normally does
    if(lock && flock(d, LOCK_EX | LOCK_NB) != 0) {
        close(d);
        return false;
    }
    if((truncate && lock && ftruncate(d, 0) != 0)) {
        close(d);
        SetError();
        return false;
    }
    off_t size = lseek(d, 0, SEEK_END);
    if(size < 0) {
        // Not a seekable file: this stream cannot page over it.
        close(d);
        SetError();
        return false;
    }
    fd = d;
    StartStorage(size, new_style);
    if(open_mode == APPEND)
        Seek(size);
    return true;
}

uint32 FileStream::ReadAt(int64 offset, byte* data, uint32 size)
{
    if(fd == -1)
        return 0;
    uint32 done = 0;
    while(done < size) {
        ssize_t n = pread(fd, data + done, size - done, offset + done);
        if(n < 0) {
            if(errno == EINTR)
                continue;
            SetError();
            return 0;
        }
        if(n == 0)
            break;
        done += (uint32)n;
    }
    return done;
}

void FileStream::WriteAt(int64 offset, const byte* data, uint32 size)
{
    if(fd == -1) {
        SetError();
        return;
    }
    uint32 done = 0;
    while(done < size) {
        ssize_t n = pwrite(fd, data + done, size - done, offset + done);
        if(n < 0 && errno == EINTR)
            continue;
        if(n <= 0) {
            SetError();
            return;
        }
        done += (uint32)n;
    }
}

void FileStream::SetStorageSize(int64 size)
{
    if(fd == -1)
        return;
    // Growing by ftruncate reads back as zeros, as the stream promises.
    int r;
    do
        r = ftruncate(fd, size);
    while(r != 0 && errno == EINTR);
    if(r != 0)
        SetError();
}

} // namespace Qor
