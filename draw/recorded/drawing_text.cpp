// The TEXT operation of the drawing player: the recorded font and advances are scaled by
// the ratio of the target's diagonal to the drawing's.

#include "draw/recorded/drawing_text_internal.h"

#include "draw/font/font.h"
#include "draw/font/font_metrics.h"
#include "foundation/charset.h"
#include "foundation/wstring.h"

#include <algorithm>
#include <cmath>

namespace Qor {

namespace {

// trunc(v) kept within the int range; a hostile scale must not reach an undefined conversion.
int TruncToInt(double v)
{
    if(!(v > -2147483648.0))
        return v != v ? 0 : INT32_MIN;
    if(v >= 2147483647.0)
        return INT32_MAX;
    return (int)v;
}

// The text in its recorded character set: 0xFF means n UTF-16 units, anything else n bytes.
bool ReadText(Draw::DrawingPos& pos, int n, int charset, WString& text)
{
    int64 bytes = charset == 0xFF ? 2 * (int64)n : n;
    if(bytes > pos.GetRemaining())
        return false;
    if(charset == 0xFF) {
        Vector<wchar16> units;
        units.SetCount(n);
        if(n && !pos.ReadExact(units.begin(), 2 * n))
            return false;
        text = WString(units.begin(), n);
    }
    else {
        Vector<char> raw;
        raw.SetCount(n);
        if(n && !pos.ReadExact(raw.begin(), n))
            return false;
        text = DecodeText(raw.begin(), n, charset);
    }
    return true;
}

bool ReadAdvances(Draw::DrawingPos& pos, int n, Vector<int>& dx)
{
    if(n > pos.GetRemaining()) // each advance takes at least one byte
        return false;
    dx.SetCount(n);
    for(int& a : dx)
        pos.SerializeCount(a);
    return !pos.IsError();
}

} // namespace

bool PlayDrawingText(Draw& w, Draw::DrawingPos& pos)
{
    int x = 0, y = 0, angle = 0, n = 0;
    Font font;
    dword ink = Color::NULL_BITS;
    pos.Serialize(x).Serialize(y).Serialize(angle);
    font.Serialize(pos);
    pos.Serialize(ink);
    pos.SerializeCount(n);
    if(pos.IsError() || n < 0)
        return false;
    if(font.GetHeight() == 0) {
        const FontMetrics& m = font.GetMetrics();
        font.Height(m.height - m.internal_leading);
    }
    byte charset = 0;
    pos.Serialize(charset);
    WString text;
    if(pos.IsError() || !ReadText(pos, n, charset, text))
        return false;
    byte has_advances = 0;
    pos.Serialize(has_advances);
    if(pos.IsError())
        return false;
    angle %= 3600;
    Vector<int> dx;
    if(has_advances && !ReadAdvances(pos, n, dx))
        return false;
    const int* advances = has_advances ? dx.begin() : nullptr;
    if(pos.IsIdentity()) {
        w.DrawText(x, y, angle, text, font, Color::FromBits(ink), advances);
        return true;
    }
    Size t = pos.target, s = pos.source;
    double r = std::hypot((double)t.cx, (double)t.cy) / std::hypot((double)s.cx, (double)s.cy);
    if(!has_advances) { // n counts bytes: a multi-byte character set decodes to fewer characters
        dx.SetCount(text.GetLength());
        for(int i = 0; i < text.GetLength(); i++)
            dx[i] = font.GetCharWidth(text[i]);
    }
    double a = 0;
    for(int& d : dx) {
        double next = d * r + a;
        d = (int)((uint32)TruncToInt(next) - (uint32)TruncToInt(a));
        a = next;
    }
    double scale = std::min((double)t.cx / s.cx, (double)t.cy / s.cy);
    int height = TruncToInt(font.GetHeight() * scale);
    font.Height(height ? height : 1);
    font.Width(TruncToInt((double)font.GetWidth() * std::trunc(r)));
    w.DrawText(pos.X(x), pos.Y(y), angle, text, font, Color::FromBits(ink), dx.begin());
    return true;
}

} // namespace Qor
