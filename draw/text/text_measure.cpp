// Measuring text without allocating: 8-bit texts are decoded in pieces on the stack, and
// the widths of the common characters come from a table per font, looked up once a call.

#include "draw/text/text.h"

#include "draw/font/font_metrics.h"
#include "foundation/charset.h"
#include "foundation/charset_utf8.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

namespace Qor {

namespace {

constexpr int PIECE = 256;

// Latin letters with their accents, punctuation and the spacing modifiers.
constexpr int TABLE_CHARS = 0x300;
constexpr int WIDTH_TABLES = 8;
constexpr int16 UNKNOWN_WIDTH = INT16_MIN; // GetCharWidth gives an advance or 0, never this

// The widths of a resolved font as Font::GetCharWidth gives them, filled as characters
// are met. The glyph caches behind GetCharWidth are never emptied, so neither is a table;
// a table is started again for another font, or when the back end's hook changes.
struct WidthTable {
    Font font = Font::Null();
    GlyphMetrics (*hook)(Font, int) = nullptr;
    int16 width[TABLE_CHARS];
};

WidthTable width_tables[WIDTH_TABLES];

WidthTable& Widths(Font resolved)
{
    WidthTable& t = width_tables[FontHash(resolved) & (WIDTH_TABLES - 1)];
    if(t.font != resolved || t.hook != GlyphMetricsHook) {
        t.font = resolved;
        t.hook = GlyphMetricsHook;
        std::fill(t.width, t.width + TABLE_CHARS, UNKNOWN_WIDTH);
    }
    return t;
}

int TextWidth(const wchar16* text, Font font, int n)
{
    Font resolved = font.Resolved();
    int16* width = Widths(resolved).width;
    int cx = 0;
    for(int i = 0; i < n; i++) {
        int ch = text[i];
        if(ch >= TABLE_CHARS) {
            cx += resolved.GetCharWidth(ch);
            continue;
        }
        int w = width[ch];
        if(w == UNKNOWN_WIDTH) {
            w = resolved.GetCharWidth(ch);
            // Measuring may have measured other fonts, whose tables may share the slot.
            WidthTable& t = Widths(resolved);
            width = t.width;
            width[ch] = (int16)w;
        }
        cx += w;
    }
    return cx;
}

} // namespace

Size GetTextSize(const wchar16* text, Font font, int n)
{
    if(n < 0)
        n = WideTextLength(text);
    return Size(TextWidth(text, font, n), font.GetMetrics().height);
}

Size GetTextSize(const char* text, Font font, int n)
{
    if(n < 0)
        n = (int)std::strlen(text);
    wchar16 units[PIECE];
    int cx = 0;
    int charset = ResolveCharset(CHARSET_DEFAULT);
    const char* e = text + n;
    for(const char* p = text; p < e;) {
        const char* q = e - p > PIECE ? p + PIECE : e;
        int k;
        if(charset == CHARSET_UTF8) {
            // Cut before a character that would straddle the piece's end.
            if(q < e)
                while(q > p && Utf8IsContinuation((byte)*q))
                    q--;
            if(q == p) // a run of stray continuation bytes: each one is a unit of its own
                q = p + 1;
            k = DecodeUtf8(units, p, (int)(q - p));
        }
        else {
            k = (int)(q - p);
            for(int i = 0; i < k; i++)
                units[i] = (wchar16)DecodeChar((byte)p[i], charset);
        }
        cx += TextWidth(units, font, k);
        p = q;
    }
    return Size(cx, font.GetMetrics().height);
}

Size GetTextSize(const String& text, Font font) { return GetTextSize(text.Begin(), font, text.GetLength()); }

Size GetMultilineTextSize(const wchar16* text, Font font)
{
    int h = font.GetMetrics().height;
    Size sz(0, 0);
    const wchar16* s = text;
    for(;;) {
        sz.cy += h;
        int x = 0;
        while(*s && *s != '\n') {
            if(*s == '\t') {
                // The next stop strictly after x; a font without height has no grid.
                if(h > 0)
                    x = (x / (2 * h) + 1) * (2 * h);
                s++;
            }
            else if(*s < ' ')
                s++;
            else {
                const wchar16* b = s;
                while(*s >= ' ')
                    s++;
                x += TextWidth(b, font, (int)(s - b));
            }
        }
        if(x > sz.cx)
            sz.cx = x;
        if(*s == 0)
            break;
        s++;
    }
    return sz;
}

int GetMultilineTextHeight(const wchar16* text, Font font)
{
    int lines = 1;
    for(const wchar16* s = text; *s; s++)
        lines += *s == '\n';
    return font.GetMetrics().height * lines;
}

} // namespace Qor
