// Fuzz target for the decompressors and round trips through the compressors. The input
// is read as a zlib stream (memory and stream forms, which must agree) and as bzip2 data,
// both also under a small output limit, and as plain data that every compressor must
// give back unchanged. A progress callback stops runaway output, as a careful caller does.
#include "fuzz/fuzz_support.h"
#include "foundation/callback_action.h"
#include "foundation/compression.h"
#include "foundation/compression_internal.h"
#include "foundation/mem_stream.h"
#include "foundation/string_stream.h"

#include <bzlib.h>
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace Qor;

namespace {

int calls;

// 64 calls are about 4 MiB of output: enough for any honest input of this size.
bool Limit(int, int)
{
    return ++calls > 64;
}

String GunzipWithZlib(const String& gz)
{
    z_stream z = {};
    FuzzCheck(inflateInit2(&z, 16 + MAX_WBITS) == Z_OK);
    std::vector<char> out(1 << 16);
    String plain;
    z.next_in = (Bytef*)gz.Begin();
    z.avail_in = (uInt)gz.GetLength();
    int result;
    do {
        z.next_out = (Bytef*)out.data();
        z.avail_out = (uInt)out.size();
        result = inflate(&z, Z_NO_FLUSH);
        plain.Append(out.data(), int(out.size() - z.avail_out));
    } while(result == Z_OK);
    inflateEnd(&z);
    FuzzCheck(result == Z_STREAM_END);
    return plain;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if(size > 1 << 16)
        return 0;
    String input((const char*)data, (int)size);

    calls = 0;
    String memory = DecompressZlib(input, MakeCallback(&Limit));
    calls = 0;
    MemReadStream in(data, (int)size);
    StringStream out;
    int written = DecompressZlib(out, in, MakeCallback(&Limit));
    String streamed = out.GetText();
    FuzzCheck(memory == streamed);
    FuzzCheck(written < 0 || written == streamed.GetLength());

    calls = 0;
    MemReadStream bz_in(data, (int)size);
    String bz_memory = DecompressBzip2(bz_in, MakeCallback(&Limit));

    // An output limit refuses as a whole: past it the void String, within it the same text.
    int64 limit = size % 4096 * 16;
    calls = 0;
    String limited = DecompressZlibWithin(data, (int)size, limit, MakeCallback(&Limit));
    FuzzCheck(memory.GetLength() > limit ? limited.IsVoid() : limited == memory && !limited.IsVoid());
    calls = 0;
    MemReadStream bz_limited_in(data, (int)size);
    limited = DecompressBzip2Within(bz_limited_in, limit, MakeCallback(&Limit));
    FuzzCheck(bz_memory.GetLength() > limit ? limited.IsVoid() : limited == bz_memory && !limited.IsVoid());

    // Round trips.
    FuzzCheck(DecompressZlib(CompressZlib(input)) == input);
    FuzzCheck(GunzipWithZlib(CompressGzip(input)) == input);
    unsigned packed_size = (unsigned)size + size / 100 + 600;
    std::vector<char> packed(packed_size);
    FuzzCheck(BZ2_bzBuffToBuffCompress(packed.data(), &packed_size, (char*)data, (unsigned)size, 1, 0, 0) == BZ_OK);
    MemReadStream bz_packed(packed.data(), (int)packed_size);
    FuzzCheck(DecompressBzip2(bz_packed) == input);
    return 0;
}
