// UnpackedParagraph and ParagraphPart: a paragraph opened for layout, painting and editing,
// its runs of text, objects and fields, and the registry of field types.
#pragma once

#include "foundation/owned_array.h"
#include "foundation/values/value_map.h"
#include "richtext/model/formats.h"
#include "richtext/model/object_type.h"

namespace Qor {

class BitSet;
struct CaretInfo;
class PageDraw;
class ParagraphLines;
struct LayoutContext;
struct NumberingCounters;
struct PagePosition;
struct RichPaintInfo;
struct RichPositionInfo;
struct ZoomRatio;

// A run of text, an embedded object or a field, with one character format.
struct ParagraphPart {
    EmbeddedObject object; // its data is Null for text and field parts
    WString text;          // never holds characters below U+0020 other than the tab
    CharacterFormat format;
    String field; // the field id; non-empty for a field part
    String field_param;
    OwnedArray<ParagraphPart> field_part; // the field's evaluated text

    bool IsField() const { return !field.IsEmpty(); }
    bool IsObject() const { return !IsField() && !object.GetData().IsNull(); }
    bool HasObjectOrField() const { return IsField() || !object.GetData().IsNull(); }
    // One position per character of a text part; one for an object or a field.
    int GetLength() const { return HasObjectOrField() ? 1 : text.GetLength(); }
};

class UnpackedParagraph {
public:
    int64 cache_key = 0;      // the stored paragraph's serial; 0: never cached
    bool cache_entry = false; // set while this lives in the paragraph cache
    OwnedArray<ParagraphPart> part;
    ParagraphFormat format; // with the style applied

    UnpackedParagraph() = default;
    UnpackedParagraph(const UnpackedParagraph&) = delete;
    UnpackedParagraph& operator=(const UnpackedParagraph&) = delete;
    // The parts go with the move; the source is left uncached.
    UnpackedParagraph(UnpackedParagraph&& p) noexcept;
    // A paragraph with a cache key goes into the paragraph cache, so that unpacking the same
    // stored paragraph again takes its parts over.
    ~UnpackedParagraph();

    int GetLength() const;
    // The texts of the text parts, U+007F for each object or field.
    WString GetText() const;
    bool HasLabelOrIndexEntry() const;
    // The part holding position pos, which becomes relative to it; the part count past the end.
    int FindPart(int& pos) const;

    // An empty part in the default character format.
    ParagraphPart& AddPart();
    // Appending clears the cache key, as a paragraph changed in memory is never cached;
    // control characters other than the tab are left out of the text.
    void CatText(const WString& text, const CharacterFormat& f);
    void CatObject(const EmbeddedObject& o, const CharacterFormat& f);
    // The registered evaluator of the id, if any, fills the field's parts.
    void CatField(const String& id, const String& param, const CharacterFormat& f);
    void ClearParts() { part.Clear(); }
    void TrimParts(int from) { part.Trim(from); }

    // Layout, in dots (richtext/layout/). A width of 2147483647 never wraps. The layout of a
    // paragraph with a cache key comes from and goes back to the process-wide layout cache.
    ParagraphLines LayOutLines(int width) const;
    // Lays out at the page rectangle's width, moves py to where the first line starts
    // (after any page break, the ruler and the space before) and justifies. The next-
    // paragraph values count only when this paragraph keeps with the next.
    void BeginOnPage(ParagraphLines& lines, const Rect& page, PagePosition& py, int next_before,
                     int next_first_line) const;
    // The next tab stop right of x: position in the low 32 bits, alignment in the next byte,
    // fill code in the byte above. reference_width resolves stops measured from the right.
    int64 NextTabStop(int x, int reference_width) const;

    // Painting (richtext/paint/), placed on pages as BeginOnPage places it.
    void Paint(PageDraw& pw, const Rect& page, PagePosition py, const RichPaintInfo& pi,
               const NumberingCounters& counters, const BitSet& marked, int next_before,
               int next_first_line) const;

    // Queries, placed as painting places the paragraph.
    CaretInfo GetCaret(int pos, const Rect& page, PagePosition py, int next_before, int next_first_line) const;
    int PositionAt(int x, PagePosition point, const Rect& page, PagePosition py, int next_before,
                   int next_first_line) const;
    void DescribePosition(RichPositionInfo& info, int pos) const;

    // Rescales the format, the fonts of text parts and the sizes of objects (which take new
    // serials); fields are left as they are. d must not be 0.
    void ApplyZoom(ZoomRatio z);
};

// Characters that paragraph text never holds: they would read back as format codes. The
// UTF-8 escapes of such bytes (U+EE00 + byte) are written as the bytes themselves.
inline bool IsParagraphControlCharacter(int c)
{
    int byte = c < 0x20 ? c : (c & 0xFFE0) == 0xEE00 ? c & 0x1F : -1;
    return byte >= 0 && byte != '\t';
}
WString WithoutControlCharacters(const WString& text);

// Fills the parts of a field from its parameter, the variables and its format.
using FieldEvaluator = void (*)(const String& param, const ValueMap& vars, const CharacterFormat& f,
                                OwnedArray<ParagraphPart>& parts);

void RegisterFieldType(const String& id, FieldEvaluator evaluator);
// Null when the id is not registered.
FieldEvaluator FindFieldType(const String& id);

} // namespace Qor
