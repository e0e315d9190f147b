// CharacterFormat, ParagraphFormat and their parts: the formats every run and paragraph
// of rich text carries, with the numbering counters carried through a document.
#pragma once

#include "draw/font/font.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/values/color.h"
#include "foundation/values/language_code.h"
#include "foundation/values/uuid.h"
#include "foundation/vector.h"
#include "foundation/wstring.h"
#include "richtext/registrations.h"

namespace Qor {

struct ZoomRatio;

// The format of a run of text; lengths in dots (600 per inch).
struct CharacterFormat {
    enum : int { NORMAL_SCRIPT = 0, SUPERSCRIPT = 1, SUBSCRIPT = 2 };

    // The sans-serif face at 100 dots (12 points), black on no paper.
    Font font = Font(Font::SANSSERIF, 100);
    LanguageCode language = 0;
    Color ink = Color::FromBits(0);
    Color paper;
    String link;
    WString index_entry;
    unsigned script : 2 = NORMAL_SCRIPT;
    bool capitals = false;
    bool dashed = false;

    // Member-wise; assigning a format to itself changes nothing.
    void Assign(const CharacterFormat& f);
};

// One level's counter per level, carried through a part list in document order.
struct NumberingCounters {
    int n[8] = {};

    void Clear();
    int& operator[](int level) { return n[level]; }
    int operator[](int level) const { return n[level]; }
};

// The numbering part of a paragraph format.
struct ParagraphNumbering {
    // Number styles of a level.
    enum : int {
        NOT_NUMBERED = 0,
        DECIMAL = 1,
        DECIMAL_FROM_ZERO = 2,
        SMALL_LETTERS = 3,
        CAPITAL_LETTERS = 4,
        SMALL_ROMAN = 5,
        CAPITAL_ROMAN = 6,
    };

    String before_number;
    String after_number;
    bool reset_numbering = false;
    uint8 number[8] = {};

    bool Differs(const ParagraphNumbering& b) const;
    bool IsNumbered() const;
    // 1 to 8: one past the deepest level with a style; 0 for a numbering made only of the
    // texts around the number; -1 for none.
    int GetLevel() const;

    // Restarts the count of the deepest numbered level (level 0 when none) when asked to.
    void ResetCounters(NumberingCounters& c) const;
    // Counts one more at the deepest numbered level and restarts every deeper one.
    void AdvanceCounters(NumberingCounters& c) const;
    // The texts around the number, and between them the counters of the numbered levels
    // joined by '.'.
    String FormatNumber(const NumberingCounters& c) const;

private:
    // The highest level with a non-zero style; -1 when none.
    int DeepestLevel() const;
};

struct TabStop {
    enum : int { LEFT = 1, RIGHT = 2, CENTER = 3 };
    enum : int { NO_FILL = 0, DOT_FILL = 1, HYPHEN_FILL = 2, UNDERSCORE_FILL = 3 };
    // Set in a position counted back from the right edge.
    static constexpr int32 FROM_RIGHT = 1 << 27;

    int32 pos = 0;
    uint8 align = LEFT;
    uint8 fillchar = NO_FILL;
};

// Same count and, index by index, the same position, alignment and fill.
bool TabStopsEqual(const Vector<TabStop>& a, const Vector<TabStop>& b);

// The format of a paragraph; its character part is the format of the paragraph's end and
// of an empty paragraph.
struct ParagraphFormat : ParagraphNumbering, CharacterFormat {
    enum : int { ALIGN_LEFT = 1, ALIGN_RIGHT = 2, ALIGN_CENTER = 3, ALIGN_JUSTIFY = 4 };
    enum : int { RULER_SOLID = 0, RULER_DOTTED = 1, RULER_DASHED = 2 };
    enum : int {
        BULLET_NONE = 0,
        BULLET_DISC = 1,
        BULLET_RING = 2,
        BULLET_SQUARE = 3,
        BULLET_HOLLOW_SQUARE = 4,
        BULLET_TEXT = 5
    };
    enum : int { LINE_SINGLE = 0, LINE_ONE_AND_HALF = -1, LINE_DOUBLE = -2 };

    Uuid style; // the zero id: the default style
    String label;
    Vector<TabStop> tab;
    int32 align = ALIGN_LEFT;
    int32 ruler = 0;
    int32 before = 0;
    int32 lm = 0;
    int32 indent = 0;
    int32 rm = 0;
    int32 after = 0;
    Color ruler_color = Color::FromBits(0);
    int32 ruler_style = RULER_SOLID;
    int32 tab_size = 296;
    int32 bullet = BULLET_NONE;
    int32 line_spacing = LINE_SINGLE;
    bool new_page = false;
    bool keep = false;
    bool keep_next = false;
    bool orphan = false;

    // Member-wise; assigning a format to itself changes nothing.
    void Assign(const ParagraphFormat& f);
    // Rescales the font height and every length; d must not be 0.
    void ApplyZoom(ZoomRatio z);
};

} // namespace Qor
