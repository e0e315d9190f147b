// The process log: record, line cutting, outputs, path, opening and rotation.
// Everything on the way from a byte to the file works without the heap (the
// panic writes here when the heap may be what failed); only the gzip step of
// rotation allocates, and it is skipped during a panic.
#include "foundation/log.h"

#include "foundation/compression.h"
#include "foundation/panic.h"
#include "foundation/process_environment.h"
#include "foundation/std_streams.h"
#include "foundation/values/clock.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <syslog.h>
#include <unistd.h>
#include <zlib.h>

namespace Qor {

namespace {

constexpr int PATH_FIELD = 512;
constexpr int LINE_HELD = 501;    // a piece is sent once it reaches this many bytes
constexpr int MAX_NESTING = 20;

struct LogRecord {
    int32 options = LOG_FILE;
    int32 size_limit = 10485760;
    int32 descriptor = -1;
    char path[PATH_FIELD] = {};
    int32 bytes_written = 0;
    int32 log_number = 0;
};

LogRecord record;

// The line under construction and the nesting level, shared by every LogStream.
char line_buffer[PATH_FIELD];
int line_length;
int nesting_level;

// Results of these writes cannot be acted on: a lost log line is dropped.
void WriteFd(int fd, const void* data, size_t size)
{
    if(write(fd, data, size) < 0) {}
}

bool WriteAll(int fd, const void* data, size_t size)
{
    const char* p = (const char*)data;
    while(size) {
        ssize_t n = write(fd, p, size);
        if(n < 0 && errno == EINTR)
            continue;
        if(n <= 0)
            return false;
        p += n;
        size -= (size_t)n;
    }
    return true;
}

// The path comes from the environment in the system's own encoding, so the
// file calls go straight to the system rather than through charset conversion
// (which would also take memory during a panic).
bool RegularFileExists(const char* path)
{
    struct stat st;
    return stat(path, &st) == 0 && S_ISREG(st.st_mode);
}

bool AppendText(char* path, int& length, const char* text, int count)
{
    if(length + count > PATH_FIELD - 1)
        return false;
    std::memcpy(path + length, text, count);
    length += count;
    path[length] = '\0';
    return true;
}

bool AppendText(char* path, int& length, const char* text)
{
    return AppendText(path, length, text, (int)std::strlen(text));
}

// Copy i of the rotation: the log itself, "%s.1", then "%s.%d" or "%s.%d.gzip".
void CopyName(char* out, int size, int i)
{
    if(i == 0)
        std::snprintf(out, size, "%s", record.path);
    else if(i >= 2 && (record.options & LOG_ROTATE_GZIP))
        std::snprintf(out, size, "%s.%d.gzip", record.path, i);
    else
        std::snprintf(out, size, "%s.%d", record.path, i);
}

// The file's bytes; the void String when it cannot be read whole.
String ReadFileRaw(const char* path)
{
    int fd = open(path, O_RDONLY | O_NONBLOCK);
    if(fd < 0)
        return String::GetVoid();
    TextBuffer text;
    int length = 0;
    char piece[65536];
    for(;;) {
        ssize_t n = read(fd, piece, sizeof(piece));
        if(n < 0 && errno == EINTR)
            continue;
        if(n < 0 || length > INT_MAX - n) {
            close(fd);
            return String::GetVoid();
        }
        if(n == 0)
            break;
        text.Append(piece, (int)n);
        length += (int)n;
    }
    close(fd);
    return String(text);
}

bool WriteFileRaw(const char* path, const void* data, size_t size)
{
    int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if(fd < 0)
        return false;
    bool ok = WriteAll(fd, data, size);
    return close(fd) == 0 && ok;
}

void PutLittle32(byte* p, uint32 x)
{
    for(int i = 0; i < 4; i++)
        p[i] = byte(x >> (8 * i));
}

// During a panic no memory may be taken, so copy 1 goes to copy 2's name as a
// gzip member of stored (uncompressed) blocks, streamed through a static
// buffer: copy 2 still reads as gzip.
bool WriteStoredGzip(const char* from, const char* to)
{
    static byte block[5 + 65535];
    int in = open(from, O_RDONLY);
    if(in < 0)
        return false;
    int out = open(to, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if(out < 0) {
        close(in);
        return false;
    }
    static const byte head[10] = { 0x1f, 0x8b, 8, 0, 0, 0, 0, 0, 0, 3 };
    bool ok = WriteAll(out, head, sizeof(head));
    uLong crc = crc32(0, nullptr, 0);
    uint32 total = 0;
    while(ok) {
        ssize_t n = read(in, block + 5, 65535);
        if(n < 0 && errno == EINTR)
            continue;
        if(n < 0)
            ok = false;
        if(n <= 0)
            break;
        uint32 len = (uint32)n;
        block[0] = 0; // not final, stored
        block[1] = byte(len);
        block[2] = byte(len >> 8);
        block[3] = byte(~len);
        block[4] = byte(~len >> 8);
        ok = WriteAll(out, block, 5 + len);
        crc = crc32(crc, block + 5, len);
        total += len;
    }
    byte tail[13] = { 1, 0, 0, 0xff, 0xff }; // the final, empty stored block
    PutLittle32(tail + 5, (uint32)crc);
    PutLittle32(tail + 9, total);
    ok = ok && WriteAll(out, tail, sizeof(tail));
    close(in);
    return close(out) == 0 && ok;
}

// Writes copy 1 compressed to the file to; false (to removed) when that failed.
bool KeepGzipCopy(const char* copy1, const char* to)
{
    if(IsPanicking()) {
        if(WriteStoredGzip(copy1, to))
            return true;
        unlink(to);
        return rename(copy1, to) == 0; // nothing may be lost, compressed or not
    }
    String text = ReadFileRaw(copy1);
    String gzip = text.IsVoid() ? text : CompressGzip(text);
    if(!gzip.IsVoid() && WriteFileRaw(to, gzip.Begin(), gzip.GetLength()))
        return true;
    unlink(to);
    return false;
}

// Moves every copy one place up. The compressed copy is made first, under a scratch
// name, so that a failure (a full disk) stops the rotation before anything moved: then
// it returns false and every copy is as it was.
bool RotateOldCopies()
{
    int copies = (uint32)record.options >> 24;
    char name[PATH_FIELD + 32];
    char next[PATH_FIELD + 32];
    char scratch[PATH_FIELD + 40];
    bool gzip = (record.options & LOG_ROTATE_GZIP) && copies > 1;
    if(gzip) {
        CopyName(name, sizeof(name), 1);
        CopyName(next, sizeof(next), 2);
        std::snprintf(scratch, sizeof(scratch), "%s.new", next);
        gzip = RegularFileExists(name);
        if(gzip && !KeepGzipCopy(name, scratch))
            return false;
    }
    for(int i = copies; i >= 0; i--) {
        CopyName(name, sizeof(name), i);
        CopyName(next, sizeof(next), i + 1);
        bool moved;
        if(i == 1 && gzip) // copy 1 stays (unless a panic moved it); copy 0 replaces it next
            moved = rename(scratch, next) == 0;
        else if(!RegularFileExists(name))
            continue;
        else if(i == copies)
            moved = unlink(name) == 0;
        else
            moved = rename(name, next) == 0;
        if(!moved) {
            if(gzip && i >= 1)
                unlink(scratch);
            return false;
        }
    }
    return true;
}

void WriteHeader(int fd)
{
    // Room for the longest executable link (4095 bytes), a user name cut to
    // 500 bytes and the rest of the line.
    static char header[4096 + 500 + 128];
    Time t = CurrentTime();
    const char* user = std::getenv("USER");
    int n = std::snprintf(header, sizeof(header), "* %s %02d.%02d.%04d %02d:%02d:%02d, user: %.500s\n",
                          ProcExeLink(), t.day, t.month, t.IsNull() ? 0 : (int)t.year, t.hour, t.minute,
                          t.second, user ? user : "boot");
    n = std::clamp(n, 0, (int)sizeof(header) - 1);
    if(record.log_number)
        n += std::snprintf(header + n, sizeof(header) - n, ", #%d", (int)record.log_number);
    n = std::min(n, (int)sizeof(header) - 3);
    header[n++] = '\r';
    header[n++] = '\n';
    WriteFd(fd, header, n);
}

// The executable's file name, from the /proc link or else argv[0].
const char* ExecutableName()
{
    const char* exe = ProcExeLink();
    if(!*exe)
        exe = StartUpArgv0().Begin();
    const char* slash = std::strrchr(exe, '/');
    const char* name = slash ? slash + 1 : exe;
    return *name ? name : "qor";
}

} // namespace

void LogFilePath()
{
    char path[PATH_FIELD];
    int length = 0;
    path[0] = '\0';
    const char* home = std::getenv("HOME");
    const char* name = ExecutableName();
    bool fits = AppendText(path, length, home ? home : "/root");
    if(fits && (length == 0 || path[length - 1] != '/'))
        fits = AppendText(path, length, "/");
    // The .qor level is made too: in a home without it the log would
    // otherwise be dropped for good.
    fits = fits && AppendText(path, length, ".qor");
    if(fits)
        mkdir(path, 0755);
    fits = fits && AppendText(path, length, "/") && AppendText(path, length, name);
    if(fits)
        mkdir(path, 0755);
    fits = fits && AppendText(path, length, "/") && AppendText(path, length, name)
           && AppendText(path, length, ".log");
    // A cut path would name some other file; without a path only the other outputs work.
    std::memcpy(record.path, fits ? path : "", fits ? length + 1 : 1);
}

void OpenLogFile(bool append)
{
    if(record.descriptor >= 0) {
        close(record.descriptor);
        record.descriptor = -1;
    }
    record.bytes_written = 0;
    if(!record.path[0])
        return; // the copies' names would point into the current folder
    // Rotating first would move or delete the very file that is to be
    // continued; an appended log rotates when its next line crosses the limit.
    // A rotation that failed keeps the current file (its copy 1 would be lost) and is
    // tried again once another size limit's worth has been written.
    bool continued = !append && !RotateOldCopies();
    if(append || continued) {
        record.descriptor = open(record.path, O_RDWR | O_CREAT | O_APPEND, 0644);
        if(record.descriptor >= 0 && !continued)
            record.bytes_written = (int32)std::clamp<off_t>(lseek(record.descriptor, 0, SEEK_END), 0, INT32_MAX);
    }
    else
        record.descriptor = open(record.path, O_RDWR | O_CREAT | O_TRUNC, 0644);
    if(record.descriptor >= 0)
        WriteHeader(record.descriptor);
}

void WriteLogLine(const char* text, int length, int nesting)
{
    char line[600];
    int n = 0;
    int32 options = record.options;
    if(options & (LOG_TIMESTAMP | LOG_TIMESTAMP_UTC)) {
        Time t = (options & LOG_TIMESTAMP_UTC) ? CurrentUtcTime() : CurrentTime();
        if(t.IsNull())
            return;
        n = std::snprintf(line, sizeof(line), "%02d.%02d.%04d %02d:%02d:%02d ", t.day, t.month, (int)t.year,
                          t.hour, t.minute, t.second);
        if(n < 0 || n >= 64)
            return;
    }
    int stamp = n;
    nesting = std::clamp(nesting, 0, MAX_NESTING);
    std::memset(line + n, '\t', nesting);
    n += nesting;
    // A caller's line longer than the buffer is cut rather than overrun it.
    length = std::clamp(length, 0, (int)sizeof(line) - 1 - n);
    if(length)
        std::memcpy(line + n, text, length);
    n += length;
    line[n] = '\0';
    if(n == 0)
        return;
    if(options & LOG_COUT)
        GetCoutStream().Put(line, (uint32)n);
    if(options & LOG_CERR)
        GetCerrStream().Put(line, (uint32)n);
    if((options & LOG_FILE) && record.descriptor >= 0)
        WriteFd(record.descriptor, line, n);
    if(options & LOG_CERR_AFTER)
        GetCerrStream().Put(line, (uint32)n);
    if(options & LOG_SYSLOG)
        syslog(LOG_USER | LOG_INFO, "%s", line + stamp);
    // Saturates: with rotation disabled the count would otherwise overflow.
    record.bytes_written = record.bytes_written > INT32_MAX - n ? INT32_MAX : record.bytes_written + n;
    if(record.size_limit > 0 && record.bytes_written > record.size_limit)
        OpenLogFile(false);
}

void LogStream::PutOverflow(int c)
{
    byte b = (byte)c;
    if(b == LOG_BEGIN) {
        nesting_level = std::min(nesting_level + 1, MAX_NESTING);
        return;
    }
    if(b == LOG_END) {
        nesting_level = std::max(nesting_level - 1, 0);
        return;
    }
    line_buffer[line_length++] = (char)b;
    if(b == '\n' || line_length >= LINE_HELD) {
        int length = line_length;
        line_length = 0;
        WriteLogLine(line_buffer, length, nesting_level);
    }
}

void LogStream::PutBlock(const void* data, uint32 size)
{
    const byte* p = (const byte*)data;
    for(uint32 i = 0; i < size; i++)
        PutOverflow(p[i]);
}

int64 LogStream::GetSize() const { return record.bytes_written; }

bool LogStream::IsOpen() const { return record.descriptor >= 0; }

Stream& StandardLog()
{
    // Built in static storage so that it is never destroyed: lines may come
    // from other objects' destructors at exit.
    alignas(LogStream) static byte place[sizeof(LogStream)];
    static LogStream* log;
    if(!log) {
        log = new(place) LogStream;
        if(!record.path[0])
            LogFilePath();
        OpenLogFile(record.options & LOG_APPEND);
    }
    return *log;
}

Stream& CurrentLog()
{
    static Stream* current;
    if(!current)
        current = &StandardLog();
    return *current;
}

const char* LogFilePathText() { return record.path; }

void WritePanicToLog(const char* text) { CurrentLog().Put(text); }

void SetLogSettings(int32 options, int32 size_limit, int32 log_number)
{
    record.options = options;
    record.size_limit = size_limit;
    record.log_number = log_number;
}

} // namespace Qor
