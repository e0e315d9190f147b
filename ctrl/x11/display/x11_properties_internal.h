// The limits of property reads, adjustable so that tests need not wait for the real ones.
#pragma once

namespace Qor {

struct PropertyReadLimits {
    int chunk_wait_ms = 4000; // for each INCR chunk (80 waits of 50 ms)
    int poll_ms = 50;
    int total_ms = 60000; // for a whole INCR transfer
    int max_bytes = 64 * 1024 * 1024;
};

// Replaces the limits; returns the earlier ones.
PropertyReadLimits SetPropertyReadLimits(const PropertyReadLimits& limits);
// The 32-bit units read per request for a connection's maximum request size.
long PropertyChunkLength(long max_request_size);

} // namespace Qor
