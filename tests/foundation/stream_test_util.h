// Helpers shared by the stream tests: byte texts and a file-like stream that
// hands its data out in small windows and cannot tell its size.
#pragma once

#include "foundation/stream.h"
#include "foundation/string.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace QorTest {

using namespace Qor;

inline String Bytes(std::initializer_list<int> bytes)
{
    std::string s;
    for(int b : bytes)
        s += (char)b;
    return String(s.data(), (int)s.size());
}

inline std::vector<int> ToBytes(const String& s)
{
    std::vector<int> v;
    for(int i = 0; i < s.GetLength(); i++)
        v.push_back(s[i]);
    return v;
}

// Serves the data in windows of 'chunk' bytes (0: no window, every byte through
// GetUnderflow), like a file stream reading pages; not seekable, no size.
class ChunkStream : public Stream {
public:
    ChunkStream(const std::string& data, int chunk) : data(data), chunk(chunk)
    {
        style = STRM_LOADING | STRM_READ;
    }

    int PeekUnderflow() override
    {
        if(chunk == 0)
            return next < data.size() ? (byte)data[next] : -1;
        return Refill() ? *current : -1;
    }
    int GetUnderflow() override
    {
        if(chunk == 0)
            return next < data.size() ? (byte)data[next++] : -1;
        return Refill() ? *current++ : -1;
    }
    bool IsOpen() const override { return true; }

    size_t underflows = 0;

private:
    std::string data;
    size_t chunk;
    size_t next = 0;

    bool Refill()
    {
        underflows++;
        if(next >= data.size())
            return false;
        position = (int64)next;
        buffer = current = (byte*)data.data() + next;
        size_t n = std::min(chunk, data.size() - next);
        read_limit = buffer + n;
        next += n;
        return true;
    }
};

} // namespace QorTest
