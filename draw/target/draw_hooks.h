// Back-end hooks of the drawing layer: process-wide function pointers through which it
// paints into images, renders single glyphs and offers drawings to PDF output, without
// calling the window system itself. Each is installed once at start-up; until then the
// services fall back as noted. The font-metric hooks live with the metrics.
#pragma once

#include "draw/image/image.h"
#include "draw/font/font.h"
#include "foundation/string.h"
#include "foundation/values/size.h"
#include "foundation/vector.h"

namespace Qor {

class Draw;
class Drawing;

// The image Draw factory: a new heap Draw painting into an image of the size, and the
// image a Draw of that factory has painted so far.
struct ImageDrawFactoryHooks {
    Draw* (*factory)(Size size) = nullptr;
    Image (*getter)(Draw* w) = nullptr;
};
extern ImageDrawFactoryHooks ImageDrawFactoryHook;
// Renders one character of a font into a cx × cy image (see RenderGlyphImage).
extern Image (*GlyphToImageHook)(int cx, int x, Font font, int ch, int y, int cy);
// Converts pages of recorded drawings (page size and margin in dots) into a PDF document.
extern String (*DrawingToPdfHook)(const Vector<Drawing>& pages, Size page_size, int margin, bool pdfa);

// Installs the factory and its getter; a second call is ignored.
void SetImageDrawFactory(Draw* (*factory)(Size size), Image (*getter)(Draw* w));
bool IsImageDrawFactorySet();
void SetGlyphToImageHook(Image (*renderer)(int cx, int x, Font font, int ch, int y, int cy));
void SetDrawingToPdfHook(String (*converter)(const Vector<Drawing>& pages, Size page_size, int margin, bool pdfa));

// A white cx × cy image with ch drawn in black at (x, -y): through the glyph hook when it
// is installed, else through an ImageAnyDraw; empty when neither can.
Image RenderGlyphImage(int cx, int x, Font font, int ch, int y, int cy);

} // namespace Qor
