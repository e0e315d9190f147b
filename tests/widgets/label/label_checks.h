// Helpers of the caption tests: plain images to place, and the underlined text runs a
// recording Draw logged.
#pragma once

#include "draw/image/image.h"
#include "draw/image/pixel_buffer.h"

#include "tests/draw/support/recording_draw.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace QorTest {

// cx x cy pixels of one colour (opaque black by default).
inline Qor::Image SolidImage(int cx, int cy, Qor::RGBA c = Qor::MakeRGBA(0, 0, 0, 255))
{
    Qor::PixelBuffer b(cx, cy);
    Qor::FillPixels(b.Begin(), c, (int)b.GetLength());
    return Qor::Image(b);
}

// A logged text run drawn in an underlined font (the font is logged as its 64-bit value; the
// flags are bits 16-31).
inline bool IsUnderlinedRun(const std::string& line)
{
    size_t at = line.find("font ");
    if(line.rfind("DrawTextRun(", 0) != 0 || at == std::string::npos)
        return false;
    return (std::strtoull(line.c_str() + at + 5, nullptr, 16) >> 16) & 0x2000;
}

// The text of a logged text run; empty for any other line.
inline std::string RunText(const std::string& line)
{
    char text[64] = "";
    std::sscanf(line.c_str(), "DrawTextRun(%*d, %*d, 0, \"%63[^\"]\"", text);
    return text;
}

// The underlined text of everything drawn.
inline std::string UnderlinedText(const RecordingDraw& w)
{
    std::string s;
    for(const std::string& line : w.log)
        if(IsUnderlinedRun(line))
            s += RunText(line);
    return s;
}

} // namespace QorTest
