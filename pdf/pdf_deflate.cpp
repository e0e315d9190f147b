// PdfDeflater: one zlib stream reset for every stream object rather than set up anew, and
// output straight into a buffer of the bound zlib gives for the input.
#include "pdf/pdf_deflate.h"

#include <zlib.h>

namespace Qor {

struct PdfDeflater::State {
    z_stream z = {};
    bool ready = false;
};

PdfDeflater::PdfDeflater(int level) : state(new State), level(level) {}

PdfDeflater::~PdfDeflater()
{
    if(state->ready)
        deflateEnd(&state->z);
}

bool PdfDeflater::Compress(const char* data, int n)
{
    z_stream& z = state->z;
    // The window and memory settings of CompressZlib, so at its level the bytes are the same.
    if(!state->ready) {
        if(deflateInit2(&z, level, Z_DEFLATED, MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
            return false;
        state->ready = true;
    }
    else if(deflateReset(&z) != Z_OK)
        return false;
    uLong bound = deflateBound(&z, uLong(n));
    if(n < 0 || bound > uLong(INT32_MAX))
        return false;
    out.Clear();
    char* t = out.Extend(int(bound));
    z.next_in = (Bytef*)data;
    z.avail_in = uInt(n);
    z.next_out = (Bytef*)t;
    z.avail_out = uInt(bound);
    int result = deflate(&z, Z_FINISH);
    out.Clear();
    if(result != Z_STREAM_END)
        return false;
    out.Extend(int(bound - z.avail_out));
    return true;
}

} // namespace Qor
