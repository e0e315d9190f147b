// PdfDraw: text runs, the font instances their characters are grouped in, and the font selection.
#include "pdf/pdf_draw.h"

#include "draw/font/font_metrics.h"
#include "foundation/numeric.h"
#include "pdf/pdf_out_internal.h"
#include "pdf/ttf_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace Qor {

namespace {

// Every size of one TrueType font shares one embedded subset under this height.
constexpr int TRUETYPE_KEY_HEIGHT = -9999;
// One-byte codes 0 to 240: code 0 is the space every instance starts with.
constexpr int INSTANCE_CHARS = 241;
// Slant of an imitated italic: the horizontal shift per unit of height.
constexpr double ITALIC_SLANT = 0.165;

// Bits of the head table's macStyle.
enum : int { MAC_BOLD = 1, MAC_ITALIC = 2 };

Font UsableHeight(Font font)
{
    int h = font.GetHeight();
    return font.Height(h == 0 ? 100 : std::abs(h));
}

} // namespace

void PdfDraw::SetFont(int instance, double height)
{
    if(instance == currentFont && !IsNullDouble(fontHeight) && fontHeight == height)
        return;
    currentFont = instance;
    fontHeight = height;
    PdfAppend(page, "/F", instance + 1, " ", height * 0.12, " Tf\n");
}

TrueTypeInfo PdfDraw::GetTrueTypeInfo(Font font)
{
    if(const TrueTypeInfo* known = fontInfo.FindPtr(font))
        return *known;
    TrueTypeInfo info;
    TTFReader ttf;
    info.isTrueType = ttf.Open(GetFontFile(font), false, true);
    if(info.isTrueType) {
        info.synthesizeItalic = font.IsItalic() && !(ttf.head.macStyle & MAC_ITALIC);
        info.synthesizeBold = font.IsBold() && !(ttf.head.macStyle & MAC_BOLD);
    }
    fontInfo.Add(font, info);
    return info;
}

int PdfDraw::GetCharCode(Font key, int ch)
{
    key.Underline(false);
    return GetCharCode(charCodes.GetAdd(key), key, ch);
}

int PdfDraw::GetCharCode(KeyMap<wchar16, int>& codes, Font key, int ch)
{
    if(const int* known = codes.FindPtr(wchar16(ch)))
        return *known;
    int instance = fonts.GetCount() - 1;
    while(instance >= 0 && fonts[instance] != key)
        instance--;
    if(instance < 0 || instanceChars[instance].GetCount() >= INSTANCE_CHARS) {
        instance = fonts.GetCount();
        fonts.Add(key);
        instanceChars.Add().Add(u' ');
    }
    Vector<wchar16>& chars = instanceChars[instance];
    int packed = instance | chars.GetCount() << 16;
    chars.Add(wchar16(ch));
    codes.Add(wchar16(ch), packed);
    return packed;
}

void PdfDraw::DrawTextRun(int x, int y, int angle, const wchar16* text, Font font, Color ink, int n, const int* dx)
{
    if(n <= 0)
        return;
    Font text_font = UsableHeight(font);
    int height = text_font.GetHeight();
    TrueTypeInfo info = GetTrueTypeInfo(text_font);
    Font key = text_font;
    if(info.isTrueType)
        key.Height(TRUETYPE_KEY_HEIGHT);
    key.Underline(false);
    // The codes are taken once, in text order: every bold pass prints the same ones.
    KeyMap<wchar16, int>& code_map = charCodes.GetAdd(key);
    runCodes.SetCount(n);
    for(int i = 0; i < n; i++)
        runCodes[i] = GetCharCode(code_map, key, text[i]);
    SetFillColor(ink);
    SetStrokeColor(ink);

    double sin = 0, cos = 1;
    if(angle)
        ComputeAngleSinCos(angle, sin, cos);
    double slant = info.synthesizeItalic ? ITALIC_SLANT : 0;
    double a = cos, b = sin, c = slant * cos - sin, d = cos + slant * sin;
    bool identity = std::abs(a - 1) <= 1e-8 && std::abs(b) <= 1e-8 && std::abs(c) <= 1e-8 && std::abs(d - 1) <= 1e-8;
    int ascent = text_font.GetMetrics().ascent;
    int rise_x = RoundToInt(ascent * sin), rise_y = RoundToInt(ascent * cos);

    // Bold the file lacks is imitated by printing the text again, shifted along the baseline.
    int bold_reach = info.synthesizeBold ? height / 30 : 0;
    int bold_step = std::max(std::min(bold_reach, 5), 1);
    for(int offset = 0; offset <= bold_reach; offset += bold_step) {
        page.Append("BT ");
        // The previous point is kept in dots: a step scaled once is the same distance as the
        // difference of two scaled points, without the rounding noise that lengthens the text.
        double px = 0, py = 0;
        int previous = -1;
        double l = offset;
        for(int i = 0; i < n; i++) {
            double dots_x = x + l * cos + rise_x;
            double dots_y = pageSize.cy - (y - l * sin) - rise_y;
            int code = runCodes[i];
            int instance = code & 0xFFFF;
            if(instance != previous)
                SetFont(instance, height);
            previous = instance;
            if(identity)
                PdfAppend(page, 0.12 * (dots_x - px), " ", 0.12 * (dots_y - py), " Td");
            else
                PdfAppend(page, a, " ", b, " ", c, " ", d, " ", 0.12 * dots_x, " ", 0.12 * dots_y, " Tm");
            static const char hex[] = "0123456789abcdef";
            char tj[] = { ' ', '<', hex[(code >> 20) & 15], hex[(code >> 16) & 15], '>', ' ', 'T', 'j', '\n' };
            page.Append(tj, sizeof(tj));
            px = dots_x;
            py = dots_y;
            l += dx ? dx[i] : text_font.GetCharWidth(text[i]);
        }
        page.Append("ET\n");
    }
}

} // namespace Qor
