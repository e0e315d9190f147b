// The drawing player: replays the opcode stream of a Drawing on any Draw, mapping the
// drawing's recorded coordinate space onto a target rectangle. The stream is outside
// data: every count is checked against the bytes present, so a damaged drawing draws
// less and never reads beyond its data.
#pragma once

#include "draw/target/draw.h"
#include "foundation/string_stream.h"
#include "foundation/values/point.h"
#include "foundation/values/rect.h"
#include "foundation/values/size.h"
#include "foundation/vector.h"

namespace Qor {

class Drawing;

// Opcodes of the stream, each written as a packed count. Other numbers are skipped.
enum DrawingOpcode {
    DRAWING_BEGIN = 1,
    DRAWING_OFFSET = 2,
    DRAWING_CLIP = 3,
    DRAWING_CLIPOFF = 4,
    DRAWING_EXCLUDECLIP = 5,
    DRAWING_INTERSECTCLIP = 6,
    DRAWING_END = 7,
    DRAWING_RECT = 8,
    DRAWING_IMAGE = 9,
    DRAWING_DRAWING = 11,
    DRAWING_LINE = 12,
    DRAWING_ELLIPSE = 13,
    DRAWING_TEXT = 14,
    DRAWING_ARC = 15,
    DRAWING_POLYPOLYLINE = 16,
    DRAWING_POLYPOLYPOLYGON = 17,
    DRAWING_DATA = 18,
    DRAWING_PAINTING = 19,
};

// Limits that keep a damaged or hostile stream from exhausting the stack or the target:
// drawings nested deeper than this are not played, and a play stops at an operation
// that would open more levels than this.
constexpr int DRAWING_MAX_NESTING = 32;
constexpr int DRAWING_MAX_OPEN = 4096;

// The reading state of one play.
class Draw::DrawingPos : public StringStream {
public:
    DrawingPos(const String& data, Size source, Size target);

    // Drawing units to target units, through the total offsets.
    int X(int x) const;
    int Y(int y) const;
    Point Map(Point p) const { return Point(X(p.x), Y(p.y)); }
    Rect Map(const Rect& r) const { return Rect(X(r.left), Y(r.top), X(r.right), Y(r.bottom)); }
    // A line width; 0 and below are pen codes and stay.
    int MapWidth(int width) const;
    // An image size: scaled, without offsets.
    Size MapSize(Size s) const;
    bool IsIdentity() const { return source == target; }

    // Reads a rect operand; raw receives it unmapped when given. The result is mapped.
    Rect ReadRect(Rect* raw = nullptr);
    // Reads x, y, cx, cy and gives the mapped rectangle (x, y, x + cx, y + cy).
    Rect ReadBox();
    // Moves the source offset by source_delta and the target offset by target_delta.
    void Shift(Point source_delta, Point target_delta);
    // Saves the source and target offsets for the matching END; false (nothing saved)
    // when too many levels are open already.
    bool Push();
    // Restores the offsets of the last Push; false when nothing is open.
    bool Pop();
    int GetOpenCount() const { return stack.GetCount() / 2; }
    // Bytes left in the data.
    int64 GetRemaining() { return GetSize() - GetPos(); }

    Size source;
    Size target;
    Point source_offset; // drawing units, sum of the open OFFSET and CLIPOFF operations
    Point target_offset; // the same offsets as applied to the target
    Vector<Point> stack;  // per open level: source offset, then target offset
};

// The base behaviour of Draw::DrawDrawing.
void PlayDrawing(Draw& w, Rect target, const Drawing& d);

} // namespace Qor
