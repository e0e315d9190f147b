// Looks: Values that say how to paint a rectangle of a control, and the chain of painter
// functions, asked newest first, that paints them.
#pragma once

#include "draw/image/image.h"
#include "draw/target/draw.h"
#include "draw/utils/border_table.h"
#include "foundation/values/color.h"
#include "foundation/values/point.h"
#include "foundation/values/rect.h"
#include "foundation/values/value.h"
#include "foundation/vector.h"

namespace Qor {

// What a painter is asked to do with a look.
enum LookOperation : int {
    LOOK_PAINT = 0,         // paint the whole look into r
    LOOK_MARGINS = 1,       // answer the frame widths as a Rect; nothing is painted
    LOOK_EDGE = 2,          // paint only the frame part of the look
    LOOK_OPAQUE = 3,        // answer whether the look covers every pixel it paints
    LOOK_INSIDE_OPAQUE = 4, // answer whether the part inside the margins covers every pixel
};

// A look with an image over it, centred in the rectangle and moved by offset; a Null
// colour draws the image in its own colours, any other paints only its shape in colour.
struct sChLookWith {
    Value look;
    Image image;
    Color colour;
    Point offset;
};

// A look inside the rings of a border table.
struct sChBorder {
    const BorderTable* border;
    Value look;
};

// A Null result means "not mine": the chain asks the next older painter.
using LookPainter = Value (*)(Draw& w, const Rect& r, const Value& look, int operation);

// Appends p unless the chain already holds it; later painters are asked first.
void AddLookPainter(LookPainter p);
// The first non-Null answer of the painters, newest first; Null for a Null look (no
// painter is asked) or when no painter handles it.
Value PaintLookChain(Draw& w, const Rect& r, const Value& look, int operation);

void PaintLook(Draw& w, const Rect& r, const Value& look);
void PaintLook(Draw& w, int x, int y, int cx, int cy, const Value& look);
void PaintLookEdge(Draw& w, const Rect& r, const Value& look);
// The frame widths (left, top, right, bottom); all four Null when no painter answers.
Rect GetLookMargins(const Value& look);

Value MakeLookWithImage(const Value& look, const Image& image, Point offset);
Value MakeLookWithImage(const Value& look, const Image& image, Color colour, Point offset);
Value MakeBorderLook(const BorderTable* border, const Value& look);

// The record a look holds, or null when it holds something else.
const sChLookWith* GetLookWith(const Value& look);
const sChBorder* GetBorderLook(const Value& look);

// The painters in the order of addition, and a replacement of the whole chain: tests run
// on a chain they know and put the old one back.
const Vector<LookPainter>& GetLookPainters();
void SetLookPainters(const Vector<LookPainter>& painters);

} // namespace Qor
