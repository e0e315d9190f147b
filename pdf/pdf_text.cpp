// PdfDraw: text runs and the font objects of the font instances they create.
#include "pdf/pdf_draw.h"

namespace Qor {

// Text is not written yet: runs create no font instances, so there are no font objects.
void PdfDraw::DrawTextRun(int, int, int, const wchar16*, Font, Color, int, const int*) {}

bool PdfDraw::PutFonts(Vector<int>& font_objects)
{
    font_objects.Clear();
    return true;
}

} // namespace Qor
