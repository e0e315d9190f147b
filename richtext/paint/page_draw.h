// Page-addressed drawing targets for rich text, the observer they may carry, the
// process-wide screen zoom and the maker of cached object images.
#pragma once

#include "draw/image_cache/made_image.h"
#include "draw/target/draw.h"
#include "richtext/layout/page_position.h"
#include "richtext/model/object_type.h"

namespace Qor {

class UnpackedParagraph;
class RichTable;

// Observes painting; every operation may be left empty.
class PaintTracer {
public:
    virtual void Paragraph(const Rect& page, PagePosition py, const UnpackedParagraph& p);
    virtual void EndParagraph(PagePosition py);
    virtual void Table(const Rect& page, PagePosition py, const RichTable& table);
    virtual void EndTable(PagePosition py);
    virtual void TableRow(const Rect& box, PagePosition py, int row, const RichTable& table);
    virtual void EndTableRow(PagePosition py);
    virtual void TableCell(const Rect& rect, PagePosition py, int row, int column, const RichTable& table,
                           PagePosition end);
    virtual void EndTableCell(PagePosition py);
    virtual ~PaintTracer() = default;
};

class PageDraw {
public:
    virtual Draw& PageAt(int page) = 0;
    virtual ~PageDraw() = default;

    PaintTracer* tracer = nullptr; // not owned
};

// One Draw for every page.
class SimplePageDraw : public PageDraw {
public:
    explicit SimplePageDraw(Draw& w) : draw(&w) {}
    Draw& PageAt(int) override { return *draw; }

    Draw* draw; // not owned
};

// The zoom from dots to screen pixels; 96/600 until set.
void SetRichScreenZoom(int m, int d);
ZoomRatio RichScreenZoom();

// An object rendered at a device size through the made-image cache.
class RichObjectImageMaker : public ImageMaker {
public:
    RichObjectImageMaker(const EmbeddedObject& object, Size size, uint64 context)
        : object(object), size(size), context(context)
    {}
    // Serial, width, height and context, little-endian: 24 bytes.
    String GetKey() const override;
    Image Make() const override;

    EmbeddedObject object;
    Size size;
    uint64 context;
};

} // namespace Qor
