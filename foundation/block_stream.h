// BlockStream: a stream that keeps one page of its storage in memory and moves
// it over the storage with positioned reads and writes. It sees the storage only
// through ReadAt, WriteAt and SetStorageSize, which a concrete stream provides.
#pragma once

#include "foundation/stream.h"

namespace Qor {

class BlockStream : public Stream {
public:
    BlockStream() = default;
    ~BlockStream() override;

    void PutOverflow(int c) override;
    int PeekUnderflow() override;
    int GetUnderflow() override;
    void PutBlock(const void* data, uint32 size) override;
    uint32 GetBlock(void* data, uint32 size) override;
    void Seek(int64 pos) override;
    int64 GetSize() const override;
    void SetSize(int64 size) override;
    void Flush() override;

    // The page size becomes the largest power of two not above size (at least 2,
    // at most 1 GiB); an open stream keeps its position.
    void SetBufferSize(uint32 size);
    int32 GetBufferSize() const { return page_size; }

protected:
    // Storage access. ReadAt returns the count read; a failure sets the error flag.
    virtual uint32 ReadAt(int64 offset, byte* data, uint32 size);
    virtual void WriteAt(int64 offset, const byte* data, uint32 size);
    virtual void SetStorageSize(int64 size);

    // A freshly opened storage of the given size: nothing held, the window empty.
    void StartStorage(int64 size, dword new_style);

    int32 page_size = 4096;
    int64 page_mask = -4096;
    int64 page_pos = -1;     // storage offset of the page in the buffer; -1 when none
    bool page_dirty = false; // the buffer holds bytes the storage has not got yet
    int64 stream_size = 0;   // the storage size as far as the stream knows it

private:
    // Makes p the stream position and brings its page into the buffer (writing
    // out a dirty page first). Both windows are left closed.
    bool LoadPage(int64 p);
    bool LoadCurrentPage() { return LoadPage(GetPos()); }
    void OpenReadWindow();
    // Zeroes the bytes of the held page that lie in [from, to): storage that
    // grows must not get stale buffer bytes written over its new zeros.
    void ZeroHeld(int64 from, int64 to);
};

} // namespace Qor
