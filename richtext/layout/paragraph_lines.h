// ParagraphLines: one paragraph laid out at one width in dots: its displayed characters
// with their advances and metrics, broken into lines; and the process-wide cache of
// recent layouts that makes repeated paints and queries cheap.
#pragma once

#include "foundation/owned_array.h"
#include "foundation/vector.h"
#include "richtext/layout/overflow.h"
#include "richtext/model/formats.h"
#include "richtext/model/object_type.h"

namespace Qor {

struct ParagraphPart;

// A placed tab's code is 9 + its fill code (0 none, 1 dots, 2 hyphens, 3 underscores).
inline bool IsPlacedTab(int code) { return code >= 9 && code <= 12; }
// The character a placed tab's leader repeats; 0 for none.
inline wchar16 PlacedTabLeader(int code) { return code == 10 ? u'.' : code == 11 ? u'-' : code == 12 ? u'_' : 0; }

struct CharacterMetrics {
    int ascent = 0;
    int descent = 0;
    int external = 0;
    int ydelta = 0;                         // object baseline offset; 0 for text
    const EmbeddedObject* object = nullptr; // owned by the ParagraphLines; null for text
};

// A line as read out of a layout.
struct ParagraphLine {
    int ascent = 0, descent = 0, external = 0; // maxima over its characters, after line spacing
    int start = 0;                             // index of its first character
    int count = 0;                             // characters
    int pos = 0;                               // text position of its first character
    int len = 0;                               // text positions up to the next line's first
    int xpos = 0; // left edge of its content from the layout box's left (margin and offset included)
    int cx = 0;   // width of its content, without the offset
    bool with_tabs = false;

    // Saturates rather than overflow for absurd object sizes.
    int GetHeight() const { return ClampInt((int64)ascent + descent + external); }
};

// A line's height and whether it holds tabs. The lines of one long word are alike, so
// neighbours share one shape.
struct LineShape {
    int ascent = 0, descent = 0, external = 0;
    bool with_tabs = false;

    bool operator==(const LineShape&) const = default;
};

// The metrics and format a set of characters shares: a part's text, its small capitals,
// its tabs, or one object.
struct CharacterKind {
    CharacterMetrics metrics;
    const CharacterFormat* format = nullptr; // owned copy in hformat
};

// Memory stays small per character and per line (a pasted word of many megabytes is laid
// out one character a line at a narrow width): a character stores its code, position,
// advance and the index of its kind; a line its first character, its width and the index of
// its shape, its left edge following from the width.
class ParagraphLines {
public:
    int len = 0;   // text length of the paragraph
    int clen = 0;  // displayed characters
    int width = 0; // the layout width it was built for

    // Four arrays of clen entries, sized once per layout.
    Vector<wchar16> text; // codes; a placed tab holds 9 + its fill code
    Vector<int> pos;      // text position of each character
    Vector<int> width_of; // advances in dots (justification widens spaces)
    Vector<int> kind_of;  // index into kinds
    Vector<CharacterKind> kinds;

    OwnedArray<CharacterFormat> hformat; // one per part, two for a part in small capitals
    OwnedArray<EmbeddedObject> object;   // one per object part

    int first_indent = 0; // offset of the first line
    int next_indent = 0;  // offset of every later line
    int lm = 0, rm = 0;   // the paragraph's margins, which place the lines
    int align = 0;        // and its alignment
    bool cached = false;
    bool justified = false;
    int64 cache_key = 0; // the stored paragraph's serial; 0 is never cached

    ParagraphLines() = default;
    ParagraphLines(ParagraphLines&&) noexcept = default;
    ParagraphLines& operator=(ParagraphLines&&) noexcept = default;
    ParagraphLines(const ParagraphLines&) = delete;
    ParagraphLines& operator=(const ParagraphLines&) = delete;
    // A record with a key that is not itself a cache entry goes into the layout cache.
    ~ParagraphLines();

    const CharacterMetrics& Metrics(int i) const { return kinds[kind_of[i]].metrics; }
    const CharacterFormat* Format(int i) const { return kinds[kind_of[i]].format; }

    int GetCount() const { return line_start.GetCount(); }
    ParagraphLine operator[](int i) const;
    // Appends a line starting at character start, its content cx wide; lines are added in
    // order.
    void AddLine(int start, int64 cx, const LineShape& shape);
    // The left edge of line i's content cx wide from the layout box's left.
    int64 LineLeft(int i, int64 cx, bool with_tabs) const;
    // Room for n lines, so that a layout of many lines grows no array by copying.
    void ReserveLines(int n);
    // Gives back the room a layout did not use.
    void ShrinkLines();
    // Widens the spaces of every line but the last for alignment 4; once per record.
    void Justify(const ParagraphFormat& format);
    // The sum of the lines' heights.
    int GetHeight() const;
    // Bytes the per-character and per-line arrays hold (for tests and diagnostics).
    int64 GetArrayBytes() const;

private:
    Vector<int> line_start;
    Vector<int> line_cx;
    Vector<int> line_shape; // index into shapes
    Vector<LineShape> shapes;

    // The text position of the line that starts at character start.
    int LinePos(int start) const { return start < clen ? pos[start] : clen == 0 ? 0 : len; }
};

// Characters a paragraph displays: a text part its characters, an object 1, a field at the
// top level the characters of its own parts (a field inside it shows only its own text).
int CountDisplayedCharacters(const OwnedArray<ParagraphPart>& parts);

// The number of entries of the layout cache (for tests and diagnostics).
int GetParagraphLinesCacheCount();

} // namespace Qor
