// Page drawing: the empty tracer operations, the process-wide screen zoom and the maker of
// object images for the made-image cache.

#include "richtext/paint/page_draw.h"

#include <cstdint>

namespace Qor {

void PaintTracer::Paragraph(const Rect&, PagePosition, const UnpackedParagraph&) {}
void PaintTracer::EndParagraph(PagePosition) {}
void PaintTracer::Table(const Rect&, PagePosition, const RichTable&) {}
void PaintTracer::EndTable(PagePosition) {}
void PaintTracer::TableRow(const Rect&, PagePosition, int, const RichTable&) {}
void PaintTracer::EndTableRow(PagePosition) {}
void PaintTracer::TableCell(const Rect&, PagePosition, int, int, const RichTable&, PagePosition) {}
void PaintTracer::EndTableCell(PagePosition) {}

namespace {

ZoomRatio& ScreenZoom()
{
    // Screen pixels at 96 per inch over dots at 600 per inch.
    static ZoomRatio zoom(96, 600);
    return zoom;
}

} // namespace

void SetRichScreenZoom(int m, int d) { ScreenZoom() = ZoomRatio(m, d); }

ZoomRatio RichScreenZoom() { return ScreenZoom(); }

String RichObjectImageMaker::GetKey() const
{
    String key;
    AppendLittleEndian(key, object.GetSerial(), 8);
    AppendLittleEndian(key, (uint32)size.cx, 4);
    AppendLittleEndian(key, (uint32)size.cy, 4);
    AppendLittleEndian(key, (int64)context, 8);
    return key;
}

Image RichObjectImageMaker::Make() const { return object.ToImage(size, (void*)(uintptr_t)context); }

} // namespace Qor
