// FileStream: a paged stream over a file descriptor; FileIn and FileOut are the
// streams opened for reading and for writing (the latter locked and truncated).
#pragma once

#include "foundation/block_stream.h"

namespace Qor {

class FileStream : public BlockStream {
public:
    // Open modes (the low bits) and flags (bits 4 to 6).
    enum : uint32 {
        READ = 0,      // read-only, loading
        CREATE = 1,    // read-write, created and truncated
        APPEND = 2,    // read-write, created, positioned at the end
        READWRITE = 3, // read-write, created
        EXCLUSIVE = 0x10, // take an exclusive lock; the open fails when another holds it
        // 0x20 and 0x40 are sharing hints of other systems: accepted, no effect.
        FLAGS = 0x70,
    };

    FileStream() = default;
    FileStream(const char* path, uint32 mode, int permissions = 0644) { Open(path, mode, permissions); }
    ~FileStream() override;

    void Close() override;
    bool IsOpen() const override { return fd != -1; }

    // Closes the stream first. An open that fails sets the error flag; a lock
    // that cannot be taken returns false without it.
    bool Open(const char* path, uint32 mode, int permissions = 0644);
    // Read-write, always locked, truncated once the lock is held.
    bool Create(const char* path, int permissions = 0644);

    int GetDescriptor() const { return fd; }

protected:
    uint32 ReadAt(int64 offset, byte* data, uint32 size) override;
    void WriteAt(int64 offset, const byte* data, uint32 size) override;
    void SetStorageSize(int64 size) override;

private:
    int fd = -1;

    bool OpenDescriptor(const char* path, uint32 mode, bool lock, int permissions);
};

inline bool FileStreamOpen(FileStream& f, const char* path, uint32 mode, int permissions = 0644)
{
    return f.Open(path, mode, permissions);
}

inline bool FileStreamCreate(FileStream& f, const char* path, int permissions = 0644)
{
    return f.Create(path, permissions);
}

class FileIn : public FileStream {
public:
    FileIn() = default;
    explicit FileIn(const char* path) { Open(path); }
    ~FileIn() override;

    bool Open(const char* path) { return FileStream::Open(path, READ, 0644); }
};

class FileOut : public FileStream {
public:
    FileOut() = default;
    explicit FileOut(const char* path) { Open(path); }
    ~FileOut() override;

    bool Open(const char* path) { return Create(path, 0644); }
};

} // namespace Qor
