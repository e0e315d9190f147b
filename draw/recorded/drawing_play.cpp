// PlayDrawing: reads the opcode stream operation by operation and performs each on the
// target. An operation whose operands are cut short, counted beyond the bytes present
// or inconsistent ends the play; one whose out-of-line operand has the wrong type is
// read and not performed.

#include "draw/recorded/drawing_player.h"

#include "draw/recorded/drawing.h"
#include "draw/recorded/drawing_text_internal.h"
#include "draw/recorded/painting.h"
#include "draw/image/image.h"
#include "foundation/values/value_array.h"

namespace Qor {

namespace {

class Player {
public:
    Player(Draw& w, const Drawing& d, Size target)
        : w(w), values(d.values), pos(d.data, d.size, target)
    {
    }

    // Performs operations until the data ends or an operation is damaged.
    void Run();
    // Ends every level the stream left open, so the target leaves as it came.
    void CloseOpen();

private:
    Draw& w;
    const ValueArray& values;
    Draw::DrawingPos pos;
    int next_value = 0;

    bool Step(int opcode);
    bool Ok() const { return !pos.IsError(); }
    int ReadInt() { int x = 0; pos.Serialize(x); return x; }
    Color ReadColor() { dword c = Color::NULL_BITS; pos.Serialize(c); return Color::FromBits(c); }
    bool OutOfLine() const { return !values.IsEmpty(); }
    // Takes the next element of the value array. MISSING when the array is exhausted;
    // WRONG_TYPE when it is neither Null nor of one of the types.
    enum Operand { MISSING, WRONG_TYPE, TAKEN };
    Operand NextValue(const Value*& v, int type, int other_type = -1);

    bool Offset();
    bool ClipOffset();
    bool End();
    bool Image();
    bool Drawing();
    bool Painting();
    bool Data();
    bool PolyPolyline();
    bool PolyPolyPolygon();
    bool Text() { return PlayDrawingText(w, pos); }
};

// Reads n items of T as one block; false when n is negative or more than the bytes left.
template <class T>
bool ReadBlock(Draw::DrawingPos& pos, Vector<T>& v, int n)
{
    if(n < 0 || (int64)n * (int64)sizeof(T) > pos.GetRemaining())
        return false;
    v.SetCount(n);
    return n == 0 || pos.ReadExact(v.begin(), n * (int)sizeof(T));
}

// Whether counts are non-negative and together take at most available items.
bool CountsFit(const Vector<int>& counts, int available)
{
    int64 sum = 0;
    for(int c : counts) {
        if(c < 0)
            return false;
        sum += c;
    }
    return sum <= available;
}

Player::Operand Player::NextValue(const Value*& v, int type, int other_type)
{
    if(next_value >= values.GetCount())
        return MISSING;
    v = &values[next_value++];
    int t = v->GetTypeNumber();
    return v->IsNull() || t == type || t == other_type ? TAKEN : WRONG_TYPE;
}

void Player::Run()
{
    for(;;) {
        int opcode = -1;
        pos.SerializeCount(opcode);
        if(!Ok() || !Step(opcode))
            return;
    }
}

void Player::CloseOpen()
{
    while(pos.Pop())
        w.End();
}

bool Player::Step(int opcode)
{
    switch(opcode) {
    case DRAWING_BEGIN:
        if(!pos.Push())
            return false;
        w.Begin();
        return true;
    case DRAWING_OFFSET:
        return Offset();
    case DRAWING_CLIP: {
        Rect r = pos.ReadRect();
        if(!Ok() || !pos.Push())
            return false;
        w.Clip(r);
        return true;
    }
    case DRAWING_CLIPOFF:
        return ClipOffset();
    case DRAWING_EXCLUDECLIP:
    case DRAWING_INTERSECTCLIP: {
        Rect r = pos.ReadRect();
        if(!Ok())
            return false;
        if(opcode == DRAWING_EXCLUDECLIP)
            w.ExcludeClip(r);
        else
            w.IntersectClip(r);
        return true;
    }
    case DRAWING_END:
        return End();
    case DRAWING_RECT: {
        Rect r = pos.ReadBox();
        Color c = ReadColor();
        if(!Ok())
            return false;
        w.DrawRect(r, c);
        return true;
    }
    case DRAWING_IMAGE:
        return Image();
    case DRAWING_DRAWING:
        return Drawing();
    case DRAWING_LINE: {
        int x1 = ReadInt(), y1 = ReadInt(), x2 = ReadInt(), y2 = ReadInt(), width = ReadInt();
        Color c = ReadColor();
        if(!Ok())
            return false;
        w.DrawLine(pos.X(x1), pos.Y(y1), pos.X(x2), pos.Y(y2), pos.MapWidth(width), c);
        return true;
    }
    case DRAWING_ELLIPSE: {
        Rect r = pos.ReadRect();
        Color fill = ReadColor();
        int pen = 0;
        pos.SerializeCount(pen);
        Color outline = ReadColor();
        if(!Ok())
            return false;
        w.DrawEllipse(r, fill, pos.MapWidth(pen), outline);
        return true;
    }
    case DRAWING_TEXT:
        return Text();
    case DRAWING_ARC: {
        Rect r = pos.ReadRect();
        int sx = ReadInt(), sy = ReadInt(), ex = ReadInt(), ey = ReadInt();
        Color c = ReadColor();
        int width = ReadInt();
        if(!Ok())
            return false;
        w.DrawArc(r, Point(pos.X(sx), pos.Y(sy)), Point(pos.X(ex), pos.Y(ey)), pos.MapWidth(width), c);
        return true;
    }
    case DRAWING_POLYPOLYLINE:
        return PolyPolyline();
    case DRAWING_POLYPOLYPOLYGON:
        return PolyPolyPolygon();
    case DRAWING_DATA:
        return Data();
    case DRAWING_PAINTING:
        return Painting();
    default:
        return true; // an unknown opcode carries no operands
    }
}

bool Player::Offset()
{
    int dx = ReadInt(), dy = ReadInt();
    if(!Ok())
        return false;
    Point p(pos.X(dx), pos.Y(dy));
    if(!pos.Push())
        return false;
    w.Offset(p);
    pos.Shift(Point(dx, dy), p);
    return true;
}

bool Player::ClipOffset()
{
    Rect r;
    Rect m = pos.ReadRect(&r);
    if(!Ok() || !pos.Push())
        return false;
    w.ClipOffset(m);
    pos.Shift(r.TopLeft(), m.TopLeft());
    return true;
}

bool Player::End()
{
    // An END with nothing open would close the play's own ClipOffset.
    if(!pos.Pop())
        return false;
    w.End();
    return true;
}

bool Player::Image()
{
    int x = ReadInt(), y = ReadInt(), cx = ReadInt(), cy = ReadInt();
    Qor::Image img;
    bool valid = true;
    if(OutOfLine()) {
        const Value* v;
        Operand o = NextValue(v, IMAGE_V);
        if(o == MISSING)
            return false;
        valid = o == TAKEN;
        if(valid)
            img = Qor::Image(*v);
    }
    else
        img.Serialize(pos);
    Rect src;
    pos.ReadRect(&src);
    Color c = ReadColor();
    if(!Ok())
        return false;
    if(valid) {
        Size s = pos.MapSize(Size(cx, cy));
        w.DrawImageScaled(pos.X(x), pos.Y(y), s.cx, s.cy, img, src, c);
    }
    return true;
}

bool Player::Drawing()
{
    Qor::Drawing d;
    bool valid = true;
    if(OutOfLine()) {
        const Value* v;
        Operand o = NextValue(v, DRAWING_V);
        if(o == MISSING)
            return false;
        valid = o == TAKEN;
        if(valid)
            d = Qor::Drawing(*v);
    }
    else
        d.Serialize(pos);
    Rect r = pos.ReadRect();
    if(!Ok())
        return false;
    if(valid)
        w.DrawDrawing(r, d);
    return true;
}

bool Player::Painting()
{
    Qor::Painting p;
    bool valid = true;
    if(OutOfLine()) {
        const Value* v;
        Operand o = NextValue(v, PAINTING_V);
        if(o == MISSING)
            return false;
        valid = o == TAKEN;
        if(valid)
            p = Qor::Painting(*v);
    }
    else
        p.Serialize(pos);
    Rect r = pos.ReadRect();
    if(!Ok())
        return false;
    if(valid)
        w.DrawPainting(r, p);
    return true;
}

bool Player::Data()
{
    Rect r = pos.ReadBox();
    String type, data;
    pos.Serialize(type);
    bool valid = true;
    if(OutOfLine()) {
        const Value* v;
        Operand o = NextValue(v, STRING_V, WSTRING_V);
        if(o == MISSING)
            return false;
        valid = o == TAKEN;
        if(valid && !v->IsNull())
            data = v->GetString();
    }
    else
        pos.Serialize(data);
    if(!Ok())
        return false;
    if(valid)
        w.DrawData(r, data, type.Begin());
    return true;
}

bool Player::PolyPolyline()
{
    int unused = 0;
    pos.SerializeCount(unused);
    int width = ReadInt();
    Color c = ReadColor(), xor_color = ReadColor();
    int n = ReadInt(), k = ReadInt();
    Vector<Point> vertices;
    Vector<int> counts;
    if(!Ok() || !ReadBlock(pos, vertices, n) || !ReadBlock(pos, counts, k) || !CountsFit(counts, n))
        return false;
    if(!pos.IsIdentity()) {
        for(Point& p : vertices)
            p = pos.Map(p);
        width = pos.MapWidth(width);
    }
    w.DrawPolyPolyline(vertices.begin(), n, counts.begin(), k, width, c, xor_color);
    return true;
}

bool Player::PolyPolyPolygon()
{
    int unused = 0;
    pos.SerializeCount(unused);
    Color fill = ReadColor();
    int width = ReadInt();
    Color outline = ReadColor();
    uint64 pattern = 0;
    pos.Serialize(pattern);
    Color xor_color = ReadColor();
    int n = ReadInt(), k = ReadInt(), m = ReadInt();
    Vector<Point> vertices;
    Vector<int> subpolygons, disjuncts;
    if(!Ok() || !ReadBlock(pos, vertices, n) || !ReadBlock(pos, subpolygons, k) || !ReadBlock(pos, disjuncts, m)
       || !CountsFit(subpolygons, n) || !CountsFit(disjuncts, k))
        return false;
    if(!pos.IsIdentity()) {
        for(Point& p : vertices)
            p = pos.Map(p);
        width = pos.MapWidth(width);
    }
    w.DrawPolyPolyPolygon(vertices.begin(), n, subpolygons.begin(), k, disjuncts.begin(), m, fill, width, outline,
                          pattern, xor_color);
    return true;
}

// One thread: the depth of drawings being played inside each other.
int play_nesting = 0;

} // namespace

void PlayDrawing(Draw& w, Rect target, const Drawing& d)
{
    Size source = d.size;
    if(!target.Width() || !target.Height() || !source.cx || !source.cy || play_nesting >= DRAWING_MAX_NESTING)
        return;
    play_nesting++;
    w.ClipOffset(target);
    {
        Player player(w, d, target.GetSize());
        player.Run();
        player.CloseOpen();
    }
    w.End();
    play_nesting--;
}

} // namespace Qor
