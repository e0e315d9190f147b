// The framed "data" form: any object's serialisation wrapped in a checked frame
// (magic "data", an optional version, the payload, magic "end", a byte count).
// A failed framed load puts the object back as it was.
#pragma once

#include "foundation/callback.h"
#include "foundation/stream.h"
#include "foundation/types.h"

namespace Qor {

// The frame in the stream's direction; version INT_NULL leaves the version out.
// True when the stream's error flag is clear afterwards.
bool SerializeFramed(const Callback1<Stream&>& serialize, Stream& stream, int version = INT_NULL);
// Sets the stream to storing and writes the frame.
bool StoreFramed(const Callback1<Stream&>& serialize, Stream& stream, int version = INT_NULL);
// Reads the frame with the throw bit and the loading bit set (they stay set).
// On a malformed frame the object is reloaded from a backup taken before the
// call and the result is false.
bool LoadFramed(const Callback1<Stream&>& serialize, Stream& stream, int version = INT_NULL);

} // namespace Qor
