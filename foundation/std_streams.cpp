// CoutStream and CerrStream.
#include "foundation/std_streams.h"

#include <cstdio>

namespace Qor {

void CoutStream::PutOverflow(int c)
{
    if((byte)c != '\r') // the terminal wants bare line feeds
        std::putc((byte)c, stdout);
}

void CoutStream::Flush()
{
    std::fflush(stdout);
}

void CerrStream::PutOverflow(int c)
{
    std::putc((byte)c, stderr);
}

CoutStream& GetCoutStream()
{
    static CoutStream stream;
    return stream;
}

CerrStream& GetCerrStream()
{
    static CerrStream stream;
    return stream;
}

} // namespace Qor
