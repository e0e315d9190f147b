// Drives zlib and libbz2 chunk by chunk; their memory comes from our heap.
#include "foundation/compression.h"

#include "foundation/compression_internal.h"
#include "foundation/heap.h"
#include "foundation/mem_stream.h"
#include "foundation/stream.h"
#include "foundation/string_stream.h"
#include "foundation/text_capacity.h"

#include <bzlib.h>
#include <zlib.h>

namespace Qor {

namespace {

constexpr int CHUNK = 65536;
constexpr int64 NO_OUTPUT_LIMIT = INT64_MAX;

void* ZAlloc(void*, unsigned items, unsigned size) { return HeapAllocate((size_t)items * size); }
void ZFree(void*, void* address) { if(address) HeapRelease(address); }
void* BzAlloc(void*, int items, int size) { return HeapAllocate((size_t)items * size); }
void BzFree(void*, void* address) { if(address) HeapRelease(address); }

// The two 64 KiB buffers of one call.
struct Chunks {
    byte* in = (byte*)HeapAllocate(CHUNK);
    byte* out = (byte*)HeapAllocate(CHUNK);
    ~Chunks() { HeapRelease(in); HeapRelease(out); }
};

int BytesLeft(Stream& in)
{
    int64 left = in.GetSize() - in.GetPos();
    return left < 0 ? 0 : left > INT32_MAX ? INT32_MAX : (int)left;
}

int ReadChunk(Stream& in, byte* chunk, int total, int consumed)
{
    int n = total - consumed < CHUNK ? total - consumed : CHUNK;
    return n > 0 ? (int)in.GetBlock(chunk, n) : 0;
}

bool Cancelled(const CompressionProgress& progress, int consumed, int total, Stream& in)
{
    return progress.IsTrue() || (progress && progress(consumed, total)) || in.IsError();
}

z_stream NewZStream()
{
    z_stream z = {};
    z.zalloc = ZAlloc;
    z.zfree = ZFree;
    z.opaque = nullptr;
    return z;
}

// Counts of 2 GiB and more would not fit the int results; they stay at the int limit.
int CountResult(int64 written)
{
    return written < INT32_MAX ? (int)written : INT32_MAX;
}

// Writes n produced bytes unless they would take the output past limit bytes: then the
// output is marked failed instead, so that no caller mistakes a cut text for the whole.
bool PutWithin(Stream& out, const byte* data, int n, int64& written, int64 limit)
{
    if(n > limit - written) {
        out.SetError();
        return false;
    }
    out.Put(data, n);
    written += n;
    return !out.IsError();
}

// Feeds n bytes of the input chunk to step (deflate or inflate) and writes what it
// produces, again while the output chunk comes back full; before each further round
// cancel is asked, so that a few input bytes that expand without end can be stopped.
// Z_STREAM_ERROR stands for a library error, an output error and a cancel alike.
template <class Step, class Cancel>
int Pump(z_stream& z, Chunks& chunk, int n, Stream& out, int64& written, int64 limit, Step step, Cancel cancel)
{
    z.next_in = chunk.in;
    z.avail_in = n;
    int result;
    do {
        z.next_out = chunk.out;
        z.avail_out = CHUNK;
        result = step(z);
        if(result == Z_STREAM_ERROR)
            break;
        if(!PutWithin(out, chunk.out, CHUNK - z.avail_out, written, limit) || (z.avail_out == 0 && cancel()))
            result = Z_STREAM_ERROR;
    } while(result != Z_STREAM_ERROR && z.avail_out == 0);
    return result;
}

// Deflates the rest of in into out; gzip_crc, when given, accumulates the CRC-32
// of the input. Returns the bytes written, or -1.
int Deflate(Stream& out, Stream& in, const CompressionProgress& progress, int window_bits,
            uLong* gzip_crc)
{
    z_stream z = NewZStream();
    if(deflateInit2_(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, window_bits, 8, Z_DEFAULT_STRATEGY,
                     "1.2.11", (int)sizeof(z_stream)) != Z_OK) {
        out.SetError();
        return -1;
    }
    Chunks chunk;
    int total = BytesLeft(in), consumed = 0;
    int64 written = 0;
    bool ended = false;
    for(;;) {
        int n = ReadChunk(in, chunk.in, total, consumed);
        consumed += n;
        if(Cancelled(progress, consumed, total, in))
            break;
        int flush = n == 0 ? Z_FINISH : Z_NO_FLUSH;
        if(gzip_crc)
            *gzip_crc = crc32(*gzip_crc, chunk.in, n);
        int result = Pump(
            z, chunk, n, out, written, NO_OUTPUT_LIMIT, [flush](z_stream& z) { return deflate(&z, flush); },
            [] { return false; });
        if(result == Z_STREAM_ERROR)
            break;
        if(flush == Z_FINISH) {
            ended = result == Z_STREAM_END;
            break;
        }
    }
    deflateEnd(&z);
    return ended ? CountResult(written) : -1;
}

// Inflates the rest of in into out, at most limit bytes (more is an output error).
int Inflate(Stream& out, Stream& in, const CompressionProgress& progress, int64 limit)
{
    z_stream z = NewZStream();
    if(inflateInit2_(&z, MAX_WBITS, "1.2.11", (int)sizeof(z_stream)) != Z_OK) {
        out.SetError();
        return -1;
    }
    Chunks chunk;
    int total = BytesLeft(in), consumed = 0;
    int64 written = 0;
    bool failed = false;
    for(;;) {
        int n = ReadChunk(in, chunk.in, total, consumed);
        consumed += n;
        if(Cancelled(progress, consumed, total, in)) {
            failed = true;
            break;
        }
        if(n == 0)
            break;
        int result = Pump(
            z, chunk, n, out, written, limit, [](z_stream& z) { return inflate(&z, Z_NO_FLUSH); },
            [&] { return Cancelled(progress, consumed, total, in); });
        if(result == Z_STREAM_ERROR) {
            failed = true;
            break;
        }
        if(result == Z_STREAM_END)
            break;
    }
    inflateEnd(&z);
    return failed ? -1 : CountResult(written);
}

void PutLE32(Stream& out, uint32 x)
{
    byte b[4] = { byte(x), byte(x >> 8), byte(x >> 16), byte(x >> 24) };
    out.Put(b, 4);
}

} // namespace

String CompressGzip(const void* data, int size, CompressionProgress progress)
{
    static const byte header[10] = { 0x1f, 0x8b, 0x08, 0, 0, 0, 0, 0, 0, 0x03 };
    MemReadStream in(data, size);
    StringStream out;
    out.Put(header, sizeof header);
    uLong crc = crc32(0, nullptr, 0);
    Deflate(out, in, progress, -MAX_WBITS, &crc);
    PutLE32(out, (uint32)crc);
    PutLE32(out, (uint32)size);
    return out.GetText();
}

String CompressGzip(const String& s, CompressionProgress progress)
{
    return CompressGzip(s.Begin(), s.GetLength(), progress);
}

String CompressZlib(const void* data, int size, CompressionProgress progress)
{
    MemReadStream in(data, size);
    StringStream out;
    Deflate(out, in, progress, MAX_WBITS, nullptr);
    return out.GetText();
}

String CompressZlib(const String& s, CompressionProgress progress)
{
    return CompressZlib(s.Begin(), s.GetLength(), progress);
}

String DecompressZlibWithin(const void* data, int size, int64 limit, CompressionProgress progress)
{
    MemReadStream in(data, size);
    StringStream out;
    Inflate(out, in, progress, limit);
    // An output past the limit is refused, not cut to what fitted.
    return out.IsError() ? String::GetVoid() : out.GetText();
}

String DecompressZlib(const void* data, int size, CompressionProgress progress)
{
    return DecompressZlibWithin(data, size, TEXT_MAX_LENGTH, progress);
}

String DecompressZlib(const String& s, CompressionProgress progress)
{
    return DecompressZlib(s.Begin(), s.GetLength(), progress);
}

int CompressZlib(Stream& out, Stream& in, CompressionProgress progress)
{
    return Deflate(out, in, progress, MAX_WBITS, nullptr);
}

int DecompressZlib(Stream& out, Stream& in, CompressionProgress progress)
{
    return Inflate(out, in, progress, NO_OUTPUT_LIMIT);
}

String DecompressBzip2(Stream& in, CompressionProgress progress)
{
    return DecompressBzip2Within(in, TEXT_MAX_LENGTH, progress);
}

String DecompressBzip2Within(Stream& in, int64 limit, CompressionProgress progress)
{
    StringStream out;
    int64 written = 0;
    Chunks chunk;
    int n = BytesLeft(in) > 0 ? ReadChunk(in, chunk.in, BytesLeft(in), 0) : 0;
    if(n == 0)
        return String();
    bz_stream bz = {};
    bz.bzalloc = BzAlloc;
    bz.bzfree = BzFree;
    if(BZ2_bzDecompressInit(&bz, 0, 0) != BZ_OK)
        return String();
    int total = BytesLeft(in), consumed = 0;
    bool more = true;
    bz.next_in = (char*)chunk.in;
    bz.avail_in = n;
    bz.next_out = (char*)chunk.out;
    bz.avail_out = CHUNK;
    for(;;) {
        if(bz.avail_in == 0 && more) {
            n = ReadChunk(in, chunk.in, total, consumed);
            more = n > 0;
            consumed += n;
            if(Cancelled(progress, consumed, total, in))
                break; // a partly filled output chunk is dropped
            bz.next_in = (char*)chunk.in;
            bz.avail_in = n;
        }
        unsigned room = bz.avail_out;
        int result = BZ2_bzDecompress(&bz);
        if(bz.avail_out == 0) {
            bz.next_out = (char*)chunk.out;
            bz.avail_out = CHUNK;
            // A few input bytes can expand without end: the caller may stop per output chunk.
            if(!PutWithin(out, chunk.out, CHUNK, written, limit) || Cancelled(progress, consumed, total, in))
                break;
        }
        // Input that ends before the compressed stream does makes the library
        // answer OK without progress: that is the end, not a reason to spin.
        bool stalled = result == BZ_OK && !more && bz.avail_in == 0 && bz.avail_out == room;
        if(result != BZ_OK || stalled) {
            PutWithin(out, chunk.out, CHUNK - bz.avail_out, written, limit);
            break;
        }
    }
    BZ2_bzDecompressEnd(&bz);
    // An output past the limit is refused, not cut to what fitted.
    return out.IsError() ? String::GetVoid() : out.GetText();
}

} // namespace Qor
