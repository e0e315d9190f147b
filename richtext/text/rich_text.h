// RichText: a rich-text document, the part list with its map of named paragraph styles;
// the operations on its styles, and the description of a position in it.
#pragma once

#include "richtext/model/paragraph_style.h"
#include "richtext/text/rich_txt.h"

#include <climits>

namespace Qor {

class Draw;

class RichText : public RichTxt {
public:
    // Gives paragraphs of style old the style new and the next serial, so that they are
    // laid out again; with old equal to new it only renews them.
    struct StyleChangeOp : RichTxt::ParaOp {
        Uuid old_style, new_style;

        StyleChangeOp(const Uuid& old_style, const Uuid& new_style) : old_style(old_style), new_style(new_style) {}
        bool Apply(RichTxt::Para& p) override;
    };

    // The stored style of id, or the process-wide default style; never adds to the map.
    static const ParagraphStyle& GetStyle(const ParagraphStyleMap& styles, const Uuid& id);
    const ParagraphStyle& GetStyle(const Uuid& id) const { return GetStyle(style, id); }
    const ParagraphStyleMap& GetStyles() const { return style; }
    ParagraphStyleMap& GetStyles() { return style; }

    // Stores a copy of s under id, without a language or a page break and with id as its
    // format's style, and renews the paragraphs of that style.
    void SetStyle(const Uuid& id, const ParagraphStyle& s);
    // The first style with exactly this name; DefaultStyleId when none.
    Uuid FindStyleByName(const String& name) const;

    // Layout, painting and queries of the whole document, from page 0 at the page
    // rectangle's top (page_flow.cpp, part_paint.cpp, part_queries.cpp).
    using RichTxt::ApplyZoom;
    using RichTxt::DescribePosition;
    using RichTxt::GetCaret;
    using RichTxt::GetHeight;
    using RichTxt::GetWidth;
    using RichTxt::Paint;
    using RichTxt::PositionAt;
    int GetWidth() const { return RichTxt::GetWidth(style); }
    // The height, in units of the zoom, of the text laid out cx units wide.
    int GetHeight(ZoomRatio zoom, int cx) const;
    PagePosition GetEndPosition(const Rect& page) const;
    void PaintPages(PageDraw& pw, const Rect& page, const RichPaintInfo& pi) const;
    // Paints at (x, y) of w, cx units wide, in one page of unbounded height.
    void Paint(ZoomRatio zoom, Draw& w, int x, int y, int cx) const;
    CaretInfo GetCaret(int pos, const Rect& page) const;
    // -1 for a document without parts.
    int PositionAt(int x, PagePosition point, const Rect& page) const;
    RichPositionInfo DescribePosition(int pos, int max_level = 2147483647) const;
    // Rescales every style and every part; nothing happens when m equals d. d must not be 0.
    void ApplyZoom(ZoomRatio z);

private:
    // Declared before the fields below so that it is released after them.
    ParagraphStyleMap style;

public:
    // Carried along for the holders of a document; nothing here reads them.
    String header;
    byte flags = 0;

private:
    friend void ClearRichText(RichText& text);
};

// Sets up a newly constructed document: caches of an empty list, the style "Default" under
// DefaultStyleId, the flags 0. Neither parts nor other styles are removed.
void ClearRichText(RichText& text);

// What a position in a document holds: the innermost table reached, the paragraph and the
// formats there. Filled by the position queries.
struct RichPositionInfo {
    int table_part = 0;       // part index of the table in its container
    int table_part_count = 0; // part count of that container
    int table_start = 0;      // text position at which the table starts
    int container_length = 0; // text length of the container
    int table = 0;            // tables counted from 1 in document order, nested ones included
    int table_columns = 0;
    int table_rows = 0;
    int cell_column = 0;
    int cell_row = 0;
    int table_length = 0;
    int table_position = 0; // position inside the table
    int cell_length = 0;
    int cell_position = 0;      // position inside the cell
    int paragraph = 0;          // index of the paragraph in its container
    int paragraph_count = 0;    // part count of that container
    int paragraph_position = 0; // offset inside the paragraph
    int paragraph_length = 0;
    int level = 0;                // table levels entered
    int tables_before = INT_NULL; // tables before the text holding the table; Null until one is met
    ParagraphFormat format;
    int chr = 63; // the character there, or a negative mark for an object or a field
    EmbeddedObject object;
    String field;
    String field_param;
    CharacterFormat char_format;
};

} // namespace Qor
