// The limits of property reads, adjustable so that tests need not wait for the real ones.
#pragma once

#include "foundation/string.h"

#include "ctrl/x11/display/xlib.h"

namespace Qor {

struct PropertyReadLimits {
    int chunk_wait_ms = 4000; // for each INCR chunk (80 waits of 50 ms)
    int poll_ms = 50;
    int total_ms = 10000; // for a whole INCR transfer, however fast its chunks come
    int max_bytes = 64 * 1024 * 1024;
};

// Replaces the limits; returns the earlier ones.
PropertyReadLimits SetPropertyReadLimits(const PropertyReadLimits& limits);
const PropertyReadLimits& GetPropertyReadLimits();

enum : int { SELECTION_DATA_MISSING, SELECTION_DATA_COMPLETE, SELECTION_DATA_CUT_SHORT };

// ReadSelectionProperty with a limit of its own on the whole INCR transfer: whether the
// property was missing, read whole, or an INCR transfer was cut short (a chunk that did not
// come, the limit, the size cap); out holds what came.
int ReadSelectionPropertyWithin(Window w, Atom property, String& out, int limit_ms);
// The 32-bit units read per request for a connection's maximum request size.
long PropertyChunkLength(long max_request_size);

} // namespace Qor
