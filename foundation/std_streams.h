// The standard output and error channels as streams: no buffer, every byte
// goes through PutOverflow to the C library.
#pragma once

#include "foundation/stream.h"

namespace Qor {

class CoutStream : public Stream {
public:
    CoutStream() { style = STRM_WRITE; }
    void PutOverflow(int c) override;
    void Flush() override;
    bool IsOpen() const override { return true; }
};

class CerrStream : public Stream {
public:
    CerrStream() { style = STRM_WRITE; }
    void PutOverflow(int c) override;
    bool IsOpen() const override { return true; }
};

// The one stream of each channel, built on first use and destroyed at exit.
CoutStream& GetCoutStream();
CerrStream& GetCerrStream();

} // namespace Qor
