// Painting a file entry: icon, name and extension in their inks, and the shortening of
// names that do not fit.
#include "filesel/list/file_list.h"

#include "draw/font/font_metrics.h"
#include "draw/look/sys_colors.h"
#include "draw/target/draw.h"
#include "draw/target/nil_draw.h"
#include "draw/text/text.h"
#include "foundation/values/value_rep.h"

namespace Qor {

namespace {

// One name laid out for drawing: the text runs from `start` to the end, its extension
// (without the dot) from `ext`, which is the end when there is none.
class NameLayout {
public:
    NameLayout(const WString& name, Font font, Color ink, Color extensionink)
        : s(name.Begin()), len(name.GetLength()), font(font), ink(ink), extensionink(extensionink)
    {
        dot = font.GetCharWidth('.');
    }

    int Width(int from, int to) const
    {
        int cx = 0;
        for(int i = from; i < to; i++)
            cx += font.GetCharWidth(s[i]);
        return cx;
    }
    // The end of the longest run from `from` whose width is at most cx.
    int Fit(int from, int to, int cx) const
    {
        int i = from;
        for(int used = 0; i < to; i++) {
            used += font.GetCharWidth(s[i]);
            if(used > cx)
                break;
        }
        return i;
    }
    // Draws [from, to) at x in ink and returns the x after it.
    int Run(Draw& w, int x, int y, int from, int to, Color c) const
    {
        if(to > from)
            w.DrawText(x, y, s + from, font, c, to - from);
        return x + Width(from, to);
    }
    int Dots(Draw& w, int x, int y) const
    {
        w.DrawText(x, y, "...", font, SysColorDisabled());
        return x + 3 * dot;
    }
    // The name part in ink and the extension after it.
    int Whole(Draw& w, int x, int y, int from) const
    {
        x = Run(w, x, y, from, ext, ink);
        return Run(w, x, y, ext, len, extensionink);
    }
    // A name that does not fit: path segments give way to "../", then the middle of the
    // name to "...", keeping the extension. Returns where the drawn text ends.
    int Shorten(Draw& w, int x, int y, int width) const
    {
        if(width < 6 * dot)
            return Run(w, x, y, start, Fit(start, len, width), ink);
        int room = width;
        int px = x;
        int from = start;
        int tw = Width(start, len);
        if(HasSeparator(from)) {
            w.DrawText(x, y, "../", font, SysColorDisabled());
            int lead = font.GetCharWidth('/') + 2 * dot;
            room = width - lead;
            px = x + lead;
            for(int sep; (sep = NextSeparator(from)) >= 0;) {
                tw -= Width(from, sep + 1);
                from = sep + 1;
                if(tw < room)
                    return Whole(w, px, y, from);
            }
        }
        int r2 = room - 3 * dot;
        int e = Width(ext, len);
        if(ext < len && r2 >= 2 * e) {
            int end = Run(w, px, y, from, Fit(from, len, r2 - e), ink);
            end = Dots(w, end, y);
            return Run(w, end, y, ext, len, extensionink);
        }
        int end = Run(w, px, y, from, Fit(from, len, r2), ink);
        return Dots(w, end, y);
    }

    const wchar16* s;
    int len;
    int start = 0;
    int ext = 0;
    Font font;
    Color ink, extensionink;
    int dot;

private:
    static bool IsSeparator(int c) { return c == '/' || c == '\\'; }
    bool HasSeparator(int from) const { return NextSeparator(from) >= 0; }
    int NextSeparator(int from) const
    {
        for(int i = from; i < len; i++)
            if(IsSeparator(s[i]))
                return i;
        return -1;
    }
};

int AdvanceWidth(const WString& text, Font font)
{
    int cx = 0;
    for(int i = 0; i < text.GetLength(); i++)
        cx += font.GetCharWidth(text[i]);
    return cx;
}

} // namespace

void DrawFileName(Draw& w, int x, int y, int width, int, const WString& name, bool folder, Font font, Color ink,
                  Color extensionink, const WString& description, Font descriptionfont, bool nameonly, Color underline)
{
    NameLayout n(name, font, ink, extensionink);
    n.ext = n.len;
    if(!folder) {
        int s = -1, d = -1;
        for(int i = 0; i < n.len; i++)
            if(name[i] == '/' || name[i] == '\\')
                s = i;
            else if(name[i] == '.')
                d = i;
        if(nameonly && s >= 0)
            n.start = s + 1;
        if(d >= 0 && d > s)
            n.ext = d + 1;
    }
    int tw = n.Width(n.start, n.len);
    int ascent = font.GetAscent();
    if(tw <= width) {
        if(!IsNull(underline))
            w.DrawRect(x, y + ascent + 1, tw, 1, underline);
        n.Whole(w, x, y, n.start);
        if(!description.IsEmpty() && IsNull(underline)) {
            // After the name and a gap of one font height, as the standard size reserves it.
            int gap = font.GetMetrics().height;
            DrawTextEllipsis(w, x + tw + gap, y, width - tw - gap, description.Begin(), "...", descriptionfont,
                             extensionink, description.GetLength());
        }
        return;
    }
    if(!IsNull(underline)) {
        NilDraw nil;
        int end = n.Shorten(nil, x, y, width);
        w.DrawRect(x, y + ascent + 1, end - x, 1, underline);
    }
    n.Shorten(w, x, y, width);
}

void FileList::Paint(Draw& w, const Rect& r, const Value& q, Color, Color paper, dword) const
{
    w.DrawRect(r, paper);
    const File* f = GetRawValue<File>(q);
    if(!f)
        return;
    Size isz = f->icon.GetSize();
    if(isz.cx > 0 && isz.cy > 0)
        w.DrawImage(r.left + 2, r.top + (r.Height() - isz.cy) / 2, f->icon);
    int x = r.left + iconwidth + 4;
    int tx = r.right - x - 2;
    int y = r.top + (r.Height() - f->font.GetMetrics().height) / 2;
    Color ink = f->ink, extensionink = f->extensionink;
    // A dark paper is a selected row: both parts take the highlight text colour.
    if(GrayLevel(paper) <= 149)
        ink = extensionink = SysColorHighlightText();
    DrawFileName(w, x, y, tx, r.Height(), WString(f->name), f->folder, f->font, ink, extensionink,
                 WString(f->description), f->descriptionfont, nameonly, f->underline);
}

Size FileList::GetStandardSize(const Value& q) const
{
    const File* f = GetRawValue<File>(q);
    if(!f)
        return Size(0, GetItemHeight());
    int cx = 2 + AdvanceWidth(WString(f->name), f->font) + iconwidth + 5;
    if(!f->description.IsEmpty())
        cx += AdvanceWidth(WString(f->description), f->descriptionfont) + f->font.GetMetrics().height;
    return Size(cx, GetItemHeight());
}

} // namespace Qor
