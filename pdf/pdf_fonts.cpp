// PdfDraw: the font objects of the font instances - ToUnicode maps, embedded TrueType subsets and Type 3 fonts.
#include "pdf/pdf_draw.h"

#include "draw/font/font_metrics.h"
#include "pdf/glyph_bitmap.h"
#include "pdf/pdf_out_internal.h"
#include "pdf/ttf_reader.h"

#include <algorithm>
#include <cstring>

namespace Qor {

namespace {

// A Type 3 font standing in for a TrueType instance is rendered at this height in dots; its glyphs scale to any
// size like the font would have.
constexpr int FALLBACK_HEIGHT = 100;

// Six capitals unique to the instance (the instance number in base 26, least significant letter first), so no
// two subsets of one document share a name.
String SubsetTag(int instance)
{
    String tag;
    for(int i = 0; i < 6; i++) {
        tag.AppendChar('A' + instance % 26);
        instance /= 26;
    }
    return tag;
}

// The font's own name as a PDF name: bytes a name cannot hold as they are go as #xx.
String PdfName(const String& name)
{
    String r;
    for(int c : name) {
        c &= 255;
        if(c > 32 && c < 127 && !std::strchr("#()<>[]{}/%", c))
            r.AppendChar(c);
        else
            r.Append("#" + IntToHexText(c, 2));
    }
    return r;
}

} // namespace

void PdfDraw::PutFonts(Vector<int>& font_objects)
{
    font_objects.Clear();
    for(int i = 0; i < fonts.GetCount(); i++) {
        int to_unicode = PutToUnicode(i);
        int font = 0;
        if(fonts[i].GetHeightCode() < 0)
            font = PutTrueTypeFont(i, to_unicode);
        // A font whose file has turned unusable still shows its text, drawn from bitmaps.
        if(!font)
            font = PutType3Font(i, fonts[i].GetHeightCode() < 0 ? Font(fonts[i]).Height(FALLBACK_HEIGHT) : fonts[i],
                                to_unicode);
        font_objects.Add(font);
    }
}

int PdfDraw::PutToUnicode(int instance)
{
    const Vector<wchar16>& chars = instanceChars[instance];
    String last = IntToHexText(chars.GetCount() - 1, 2);
    TextBuffer map;
    PdfAppend(map,
              "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n/CIDSystemInfo\n"
              "<< /Registry (Adobe)\n/Ordering (UCS)\n/Supplement 0\n>> def\n/CMapName /UCS",
              instance, " def\n/CMapType 2 def\n1 begincodespacerange\n<00> <", last,
              ">\nendcodespacerange\n1 beginbfrange\n<00> <", last, ">\n[\n");
    for(wchar16 ch : chars)
        PdfAppend(map, "<", IntToHexText(ch, 4), ">\n");
    map.Append("]\nendbfrange\nendcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n");
    return PutStream(TakeText(map));
}

int PdfDraw::PutTrueTypeFont(int instance, int to_unicode)
{
    TTFReader ttf;
    if(!ttf.Open(GetFontFile(fonts[instance])))
        return 0;
    const Vector<wchar16>& chars = instanceChars[instance];
    String subset = ttf.Subset(chars, 0, false);
    if(subset.IsVoid())
        return 0;
    String name = SubsetTag(instance) + "+" + PdfName(ttf.psName);
    int em = ttf.head.unitsPerEm;
    int ascent = ttf.hhea.ascender * 1000 / em;
    int descent = ttf.hhea.descender * 1000 / em;

    int file = PutStream(subset);
    int descriptor = BeginObj();
    PdfAppend(out, "<< /Type /FontDescriptor\n/FontName /", name, "\n/Flags 4\n/FontBBox [ -1000 ", descent, " 3000 ",
              ascent, " ]\n/ItalicAngle ", ttf.post.italicAngle / 65536.0, "\n/Ascent ", ascent, "\n/Descent ", descent,
              "\n/CapHeight ", ascent, "\n/StemV 80\n/FontFile2 ", file, " 0 R\n>>\nendobj\n\n");

    int font = BeginObj();
    PdfAppend(out, "<< /Type /Font\n/Subtype /TrueType\n/BaseFont /", name, "\n/FirstChar 0\n/LastChar ",
              chars.GetCount() - 1, "\n/Widths [ ");
    for(wchar16 ch : chars)
        PdfAppend(out, ttf.glyphInfo[ttf.glyphMap[ch >> 8][ch & 255]].advanceWidth * 1000 / em, " ");
    PdfAppend(out, "]\n/FontDescriptor ", descriptor, " 0 R\n/ToUnicode ", to_unicode, " 0 R\n>>\nendobj\n\n");
    return font;
}

int PdfDraw::PutType3Font(int instance, Font font, int to_unicode)
{
    const Vector<wchar16>& chars = instanceChars[instance];
    // The em is the font's height, the size " Tf" selects the font at, so that glyphs come out at their drawn size
    // (the metrics' height less internal leading is the whole line, as no back end reports internal leading).
    int em = std::max(font.GetHeight(), 1);
    int descent = font.GetMetrics().descent;
    auto scaled = [&](int v) { return int(int64(v) * 1000 / em); };

    Vector<int> widths;
    int first = offsets.GetCount() + 1;
    for(wchar16 ch : chars) {
        GlyphBitmap g = RenderGlyphBitmap(font, ch);
        int advance = scaled(font.GetCharWidth(ch));
        widths.Add(advance);
        TextBuffer proc;
        PdfAppend(proc, advance, " 0 0 ", scaled(-descent), " ", scaled(g.x0 + g.cx), " ", scaled(g.cy), " d1\nq ",
                  scaled(g.cx), " 0 0 ", scaled(g.cy), " ", scaled(-g.x0), " ", scaled(-descent), " cm BI /W ", g.cx,
                  " /H ", g.cy, " /BPC 1 /IM true /D [0 1] ID\n", g.data, "\nEI Q");
        PutStream(TakeText(proc));
    }

    int procs = BeginObj();
    out.Append("<<");
    for(int k = 0; k < chars.GetCount(); k++)
        PdfAppend(out, " /Rgch", k, " ", first + k, " 0 R");
    out.Append(" >>\nendobj\n\n");

    int encoding = BeginObj();
    out.Append("<< /Type /Encoding /Differences [0");
    for(int k = 0; k < chars.GetCount(); k++)
        PdfAppend(out, " /Rgch", k);
    out.Append("] >>\nendobj\n\n");

    int last = chars.GetCount() - 1;
    int n = BeginObj();
    PdfAppend(out, "<< /Name /F", instance + 1,
              " /Type /Font\n/Subtype /Type3\n/FontBBox [0 0 0 0]\n/FontMatrix [0.001 0 0 0.001 0 0]\n/CharProcs ",
              procs, " 0 R\n/Encoding ", encoding, " 0 R\n/FirstChar 0\n/LastChar ", last, "\n/Widths [");
    for(int w : widths)
        PdfAppend(out, " ", w);
    // /FirstChar and /LastChar once only: a dictionary holds each key once.
    PdfAppend(out, "]\n/Resources << /ProcSet [ /PDF /Text /ImageB  ] >>\n/ToUnicode ", to_unicode,
              " 0 R\n>>\nendobj\n\n");
    return n;
}

} // namespace Qor
