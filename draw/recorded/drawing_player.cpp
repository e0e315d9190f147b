// The drawing player: coordinate mapping of one play and the replay of each operation.

#include "draw/recorded/drawing_player.h"

#include "foundation/numeric.h"

namespace Qor {

namespace {

// Offsets add with wrap-around: a hostile stream may push them past the int range, and
// the result then only misplaces what it draws.
int WrapAdd(int a, int b) { return (int)((uint32)a + (uint32)b); }
int WrapSub(int a, int b) { return (int)((uint32)a - (uint32)b); }

} // namespace

Draw::DrawingPos::DrawingPos(const String& data, Size source, Size target)
    : StringStream(data), source(source), target(target), source_offset(0, 0), target_offset(0, 0)
{
}

int Draw::DrawingPos::X(int x) const
{
    return WrapSub(ScaleInt(WrapAdd(x, source_offset.x), target.cx, source.cx), target_offset.x);
}

int Draw::DrawingPos::Y(int y) const
{
    return WrapSub(ScaleInt(WrapAdd(y, source_offset.y), target.cy, source.cy), target_offset.y);
}

int Draw::DrawingPos::MapWidth(int width) const
{
    if(width <= 0)
        return width;
    // Summed in 64 bits: sizes of opposite signs may cancel, and then the width stays.
    int64 t = (int64)target.cx + target.cy;
    int64 s = (int64)source.cx + source.cy;
    return s ? (int)((int64)width * t / s) : width;
}

Size Draw::DrawingPos::MapSize(Size s) const
{
    return Size(ScaleInt(s.cx, target.cx, source.cx), ScaleInt(s.cy, target.cy, source.cy));
}

Rect Draw::DrawingPos::ReadRect(Rect* raw)
{
    Rect r;
    Serialize(r.left).Serialize(r.top).Serialize(r.right).Serialize(r.bottom);
    if(raw)
        *raw = r;
    return Map(r);
}

Rect Draw::DrawingPos::ReadBox()
{
    int x = 0, y = 0, cx = 0, cy = 0;
    Serialize(x).Serialize(y).Serialize(cx).Serialize(cy);
    return Map(Rect(x, y, WrapAdd(x, cx), WrapAdd(y, cy)));
}

void Draw::DrawingPos::Shift(Point source_delta, Point target_delta)
{
    source_offset = Point(WrapAdd(source_offset.x, source_delta.x), WrapAdd(source_offset.y, source_delta.y));
    target_offset = Point(WrapAdd(target_offset.x, target_delta.x), WrapAdd(target_offset.y, target_delta.y));
}

bool Draw::DrawingPos::Push()
{
    if(GetOpenCount() >= DRAWING_MAX_OPEN)
        return false;
    stack.Add(source_offset);
    stack.Add(target_offset);
    return true;
}

bool Draw::DrawingPos::Pop()
{
    if(stack.GetCount() < 2)
        return false;
    target_offset = stack.Pop();
    source_offset = stack.Pop();
    return true;
}

} // namespace Qor
