// StreamRaster: the base of image file decoders, and the registry of raster formats that
// file data is tried against in order.
#pragma once

#include "draw/raster/raster.h"
#include "foundation/string.h"

namespace Qor {

class Stream;

class StreamRaster : public Raster {
public:
    // True when the error flag is set, there is no stream or the stream is in error.
    bool IsError() override;

    void SetStream(Stream& s) { stream = &s; }
    Stream* GetStream() const { return stream; }
    void SetError(bool e = true) { error = e; }

    // The raster of the first registered format that opens the stream (the caller
    // deletes it); null when none does, with the stream back at its starting position.
    static StreamRaster* OpenStream(Stream& s);
    // The file data decoded by the first format that opens it; empty when none does.
    static Image LoadFromString(const String& data, BoolCallback2<int, int> progress = {});

protected:
    Stream* stream = nullptr; // not owned
    bool error = false;
};

using StreamRasterFactory = StreamRaster* (*)();

// Appends a format; formats are tried in the order of registration.
void RegisterRasterFormat(StreamRasterFactory factory);

} // namespace Qor
