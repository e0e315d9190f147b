// RichPaintInfo: the parameters of one paint of rich text.
#pragma once

#include "foundation/bitset.h"
#include "foundation/values/color.h"
#include "richtext/layout/page_position.h"

namespace Qor {

class UnpackedParagraph;

// Selections are painted in this colour, which draw targets invert with.
inline constexpr Color RichInvertColor() { return Color::FromBits(0x800000FF); }

// Colours are 0x00BBGGRR; selections paint in the invert colour. Text positions are
// relative to the part being painted: the part dispatch moves them along.
struct RichPaintInfo {
    ZoomRatio zoom;
    int selection_start = 0;
    int selection_end = 0; // not included
    // 1-based number, in document order with nested tables, of the table whose cell range
    // below is shown selected; 0 selects none.
    int table_number = 0;
    int cell_left = 0, cell_top = 0, cell_right = 0, cell_bottom = 0;
    PagePosition top = PagePosition(0, 0);                      // lines wholly before it are not painted
    PagePosition bottom = PagePosition(2147483647, 2147483647); // painting stops after it
    Color link_color;                                           // SysColorMark; Null: links look like text
    Color index_entry_color = Color::FromBits(0x00FF00);        // Null: no marks
    bool objects_through_image_cache = false;
    bool objects_as_placeholders = false; // SysColorFace boxes
    Color show_codes;                     // Null: no code marks
    // Fills the bit set of a paragraph's marked text positions; non-null also paints them.
    void (*mark_hook)(const UnpackedParagraph& p, BitSet& marked) = nullptr;
    int highlight_position = -1; // the paragraph containing it paints on the highlight colour
    Color highlight_color = Color::FromBits(0x00FFFF);
    bool system_colors = false; // SysColorText for text and bullets, SysColorPaper for papers
    uint64 object_context = 0;
    bool show_labels = false;
    bool clip_objects = false; // cut at the page rectangle's right edge

    RichPaintInfo();
};

} // namespace Qor
