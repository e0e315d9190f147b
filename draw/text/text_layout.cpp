// Text laid out on a Draw: one line cut with an ellipsis, multi-line text with tab stops
// and an underlined access key.

#include "draw/text/text.h"

#include "draw/font/font_metrics.h"
#include "draw/target/draw.h"
#include "foundation/chartable.h"

namespace Qor {

namespace {

// The capital of the ASCII letter a character is based on; 0 for none.
int KeyForm(int ch)
{
    int base = BaseAsciiChar(ch);
    return base ? CapitalCaseChar(base) : 0;
}

} // namespace

void DrawTextEllipsis(Draw& w, int x, int y, int cx, const wchar16* text, const char* ellipsis, Font font,
                      Color ink, int n)
{
    if(n < 0)
        n = WideTextLength(text);
    int ew = 0;
    for(const char* e = ellipsis; *e; e++)
        ew += font.GetCharWidth((byte)*e);
    int width = 0;
    int j = 0;
    for(; j < n; j++) {
        width += font.GetCharWidth(text[j]);
        if(width > cx)
            break;
    }
    if(j == n) {
        w.DrawText(x, y, text, font, ink, n);
        return;
    }
    int kept = j;
    width -= font.GetCharWidth(text[j]);
    while(kept > 1 && width + ew > cx)
        width -= font.GetCharWidth(text[--kept]);
    if(kept == 0)
        width = font.GetCharWidth(text[kept++]);
    w.DrawText(x, y, text, font, ink, kept);
    if(kept < n)
        w.DrawText(x + width, y, ellipsis, font, ink);
}

void DrawMultilineText(Draw& w, int x, int y, int, const wchar16* text, Font font, Color ink, dword access_key)
{
    int h = font.GetMetrics().height;
    int key = access_key & 0xFFFF;
    int key_pos = access_key >> 16;
    const wchar16* s = text;
    for(;;) {
        int off = 0;
        while(*s && *s != '\n') {
            if(*s == '\t') {
                if(h > 0)
                    off = (off / (2 * h) + 1) * (2 * h);
                s++;
                continue;
            }
            if(*s < ' ') {
                s++;
                continue;
            }
            const wchar16* b = s;
            while(*s >= ' ')
                s++;
            int n = (int)(s - b);
            int k = -1;
            if(key)
                for(int i = 0; i < n && k < 0; i++)
                    if(KeyForm(b[i]) == key && (key_pos == 0 || key_pos == i + 1))
                        k = i;
            if(k < 0) {
                w.DrawText(x + off, y, b, font, ink, n);
                off += GetTextSize(b, font, n).cx;
                continue;
            }
            key = 0;
            w.DrawText(x + off, y, b, font, ink, k);
            off += GetTextSize(b, font, k).cx;
            Font underlined = Font(font).Underline();
            w.DrawText(x + off, y, b + k, underlined, ink, 1);
            off += GetTextSize(b + k, underlined, 1).cx;
            w.DrawText(x + off, y, b + k + 1, font, ink, n - k - 1);
            off += GetTextSize(b + k + 1, font, n - k - 1).cx;
        }
        y += h;
        if(*s == 0)
            break;
        s++;
    }
}

} // namespace Qor
