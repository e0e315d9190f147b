// RichTxt: the body of rich text, an ordered list of stored paragraphs and tables; every
// table cell holds one of its own.
#pragma once

#include "foundation/any.h"
#include "foundation/bitset.h"
#include "foundation/owned_ptr.h"
#include "richtext/layout/page_position.h"
#include "richtext/model/paragraph.h"
#include "richtext/model/paragraph_style.h"

namespace Qor {

class PageDraw;
class RichTable;
struct RichPaintInfo;
struct RichPositionInfo;

// True when the Draw of some page between from and to paints any of the page rectangle
// there, zoomed to device units.
bool IsPageRangePainted(PageDraw& pw, ZoomRatio zoom, const Rect& page, PagePosition from, PagePosition to);

class RichTxt {
public:
    // A paragraph as stored: packed against its style, with its objects beside it.
    struct Para {
        Uuid style;
        int32 length = 0; // text positions
        String content;   // the packed form
        OwnedArray<EmbeddedObject> object;
        // The layout cache below is rebuilt by the page flow whenever it is asked for
        // another width, also through a const list.
        mutable bool needs_layout = true;
        // Stands for one packed content under one style format; keys the paragraph cache.
        int64 serial;
        mutable int32 layout_width = -1; // the page width the layout was made for; -1 none
        mutable BitSet marked;           // text positions marked while painting
        mutable bool marked_valid = false;
        bool has_label_or_index_entry = false;
        // A copy of the numbering part, kept when the paragraph is numbered or resets it.
        OwnedPtr<ParagraphNumbering> numbering;

        // Layout cache for layout_width, copied from the format and the laid-out lines.
        mutable int32 cy = 0; // sum of the line heights
        mutable int32 ruler = 0;
        mutable int32 before = 0;
        mutable Vector<int32> line_height;
        mutable int32 after = 0;
        mutable bool new_page = false;
        mutable bool keep = false;
        mutable bool keep_next = false;
        mutable bool orphan = false;

        // Empty, with the next serial.
        Para();
        // The content, objects and numbering, with the next serial and no layout.
        Para(const Para& p);
        Para& operator=(const Para&) = delete;

        // To be laid out again, under the next serial.
        void Invalidate();
    };

    // An operation run over every paragraph of a list, nested ones included.
    struct ParaOp {
        // True when it changed the paragraph.
        virtual bool Apply(Para& p) = 0;
        virtual ~ParaOp() = default;
    };

    RichTxt() = default;
    // Every part copied deeply; the paragraphs take new serials.
    RichTxt(const RichTxt& t);
    RichTxt(RichTxt&& t) noexcept;
    RichTxt& operator=(const RichTxt& t);
    RichTxt& operator=(RichTxt&& t) noexcept;

    void Clear();
    // Both caches 0: for a list that has just been emptied.
    void ClearCaches() { length = table_count = 0; }
    void InvalidateCaches() { length = table_count = -1; }
    // Parts from n on are destroyed; new slots are empty until set.
    void SetCount(int n);

    int GetPartCount() const { return part.GetCount(); }
    bool IsTable(int i) const;
    bool IsPara(int i) const { return !IsTable(i); }
    // Part i, which must be a table (or a paragraph for GetPara).
    RichTable& GetTable(int i);
    const RichTable& GetTable(int i) const;
    const Para& GetPara(int i) const { return part[i].Get<Para>(); }
    Para& GetPara(int i) { return part[i].Get<Para>(); }
    int GetPartLength(int i) const;

    // Text positions: the parts' lengths with one position between neighbours.
    int GetLength() const;
    // Tables in the list, nested ones included.
    int GetTableCount() const;
    // No part, or one part of length 0.
    bool IsEmpty() const;

    // Unpacks paragraph i against the format of the style given (or of its own style). With
    // use_cache the paragraph cache is asked first and gets the paragraph back when it is
    // destroyed; the unpacked format takes that style's id.
    void GetParagraph(int i, UnpackedParagraph& p, const Uuid& style, const ParagraphStyleMap& styles,
                      bool use_cache) const;
    void GetParagraph(int i, UnpackedParagraph& p, const ParagraphStyleMap& styles, bool use_cache = false) const;
    // Against a format; the style id stays that of the format.
    void GetParagraph(int i, UnpackedParagraph& p, const ParagraphFormat& style) const;

    // Stores a paragraph at i (at most the part count), packed against the style's format; a
    // table there is replaced.
    void SetParagraph(int i, const UnpackedParagraph& p, const ParagraphFormat& style);
    // Stores a paragraph packed against the format of its own style in the map.
    void Set(int i, const UnpackedParagraph& p, const ParagraphStyleMap& styles);
    // Normalises the table and moves it into part i (at most the part count); the given
    // table is left empty.
    void SetTable(int i, RichTable& table);

    // Runs op over every paragraph, through the visible cells of tables; true when any
    // call changed a paragraph.
    bool Apply(ParaOp& op);

    // The text of the paragraphs with U+007F for objects and fields, a line break between
    // neighbouring parts and neighbouring visible cells.
    WString GetPlainText(bool crlf = false) const;

    // Page flow (page_flow.cpp), in dots. Part i starts at rc.py.
    // Rebuilds the layout cache of paragraph i for the context's page width.
    void Sync(int i, const LayoutContext& rc) const;
    // Where part i ends.
    PagePosition GetNextPageY(int i, const LayoutContext& rc) const;
    // Where the list ends, its parts following one another from rc.py.
    PagePosition GetHeight(const LayoutContext& rc) const;
    // Where the first line of the list starts.
    PagePosition GetTop(const LayoutContext& rc) const;
    // The widest paragraph laid out unbroken; 10000 for a list holding a table, 0 when empty.
    int GetWidth(const ParagraphStyleMap& styles) const;
    // The ruler and space before and the first line height of the paragraph after i when i
    // keeps with it; both 0 otherwise.
    void GetNextParaValues(int i, const LayoutContext& rc, int& next_before, int& next_first_line) const;

    // Painting (part_paint.cpp): the parts that reach the page range of pi.
    void Paint(PageDraw& pw, LayoutContext rc, const RichPaintInfo& pi) const;

    // Queries (part_queries.cpp), positions relative to this list.
    // The caret of pos, cut to the length; zeros for an empty list.
    CaretInfo GetCaret(int pos, LayoutContext rc) const;
    // The position under the point; -1 for an empty list, the length past the end.
    int PositionAt(int x, PagePosition point, LayoutContext rc) const;
    // Fills the position fields of info; table_number counts the tables before this list,
    // max_level bounds the table levels entered.
    void DescribePosition(int pos, RichPositionInfo& info, int table_number, int max_level,
                          const ParagraphStyleMap& styles) const;

    // Zoom (part_zoom.cpp): paragraphs unpacked against the old styles and stored against
    // the new ones; tables zoom their cells the same way.
    void ApplyZoom(ZoomRatio z, const ParagraphStyleMap& old_styles, const ParagraphStyleMap& new_styles);

private:
    Vector<Any> part;
    mutable int32 length = 0;
    mutable int32 table_count = 0;

    Para& MakePara(int i);
    // Paragraph i with its layout cache current for rc.
    const Para& SyncedPara(int i, const LayoutContext& rc) const;
    // Where paragraph i ends, given its next-paragraph values.
    PagePosition GetParagraphEnd(int i, const LayoutContext& rc, int next_before, int next_first_line) const;
};

} // namespace Qor
