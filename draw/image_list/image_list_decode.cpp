// The compiled-in image forms: zlib blocks of image records and run-length lines.

#include "draw/image_list/image_list.h"

#include "foundation/compression.h"

#include <algorithm>
#include <cstring>

namespace Qor {

namespace {

constexpr int RECORD_HEADER = 13;

int Get16(const byte* p)
{
    return p[0] | p[1] << 8;
}

} // namespace

Vector<Image> DecodeImageBlock(const byte* data, int length)
{
    Vector<Image> images;
    String records = DecompressZlib(data, length);
    const byte* p = (const byte*)records.Begin();
    int64 left = records.GetLength();
    while(left >= RECORD_HEADER) {
        int width = Get16(p + 1), height = Get16(p + 3);
        int64 bytes = (int64)width * height * 4;
        if(bytes > left - RECORD_HEADER)
            break;
        PixelBuffer buffer(width, height);
        buffer.SetHotSpot(Point(Get16(p + 5), Get16(p + 7)));
        buffer.SetSecondSpot(Point(Get16(p + 9), Get16(p + 11)));
        // Stored red first; pixels keep blue first in memory.
        const byte* s = p + RECORD_HEADER;
        RGBA* t = buffer.Begin();
        for(int64 i = 0; i < (int64)width * height; i++, s += 4)
            t[i] = RGBA{s[2], s[1], s[0], s[3]};
        images.Add(Image(buffer));
        p += RECORD_HEADER + bytes;
        left -= RECORD_HEADER + bytes;
    }
    return images;
}

const byte* DecodeRunLengthLine(RGBA* t, const byte* s, int width)
{
    RGBA* end = t + width;
    while(t < end) {
        int b = *s++;
        if(b == 0x00 || b == 0x80) {
            memset((void*)t, 0, (end - t) * sizeof(RGBA));
            break;
        }
        if(b >= 0xC0) {
            int n = std::min<int>(b & 0x3F, (int)(end - t));
            memset((void*)t, 0, n * sizeof(RGBA));
            t += n;
        }
        else if(b > 0x80) {
            int n = std::min<int>(b & 0x3F, (int)(end - t));
            RGBA colour{s[0], s[1], s[2], 255};
            s += 3;
            std::fill(t, t + n, colour);
            t += n;
        }
        else {
            int n = std::min<int>(b, (int)(end - t));
            for(int i = 0; i < n; i++)
                t[i] = RGBA{s[3 * i], s[3 * i + 1], s[3 * i + 2], 255};
            s += 3 * b;
            t += n;
        }
    }
    return s;
}

Image DecodeImageRecord(const RunLengthImage& record)
{
    PixelBuffer buffer(record.width, record.height);
    int lines = std::clamp<int>(record.line_count, 0, std::max(record.height, 0));
    for(int y = 0; y < buffer.GetHeight(); y++)
        if(y < lines)
            DecodeRunLengthLine(buffer[y], record.lines[y], record.width);
        else
            memset((void*)buffer[y], 0, (size_t)record.width * sizeof(RGBA));
    buffer.SetHotSpot(Point(record.hotspot_x, record.hotspot_y));
    return Image(buffer);
}

} // namespace Qor
