// Fuzz target for TTFReader: the input is opened as a font in every mode and a fully opened font is subset.
// Checked: nothing is read outside the input (the sanitizer's part), every table lies inside it, on success every
// mapped character names an existing glyph and every glyph's data lies inside the glyf table, and a subset that
// is written opens again with its whole-font checksum right.
#include "fuzz/fuzz_support.h"
#include "pdf/ttf_reader.h"

#include <cstdint>

using namespace Qor;

namespace {

void CheckOpened(const TTFReader& r, int size)
{
    for(int i = 0; i < r.tables.GetCount(); i++)
        FuzzCheck(r.tables[i].offset >= 0 && r.tables[i].length >= 0 &&
                  r.tables[i].offset + r.tables[i].length <= size);
    FuzzCheck(r.glyphInfo.GetCount() == r.maxp.numGlyphs);
    int glyf = r.GetTable("glyf").GetLength();
    for(const TTFReader::GlyphInfo& g : r.glyphInfo)
        FuzzCheck(g.offset >= 0 && g.size >= 0 && g.offset + g.size <= glyf);
    for(int ch = 0; ch < 65536; ch++) {
        int glyph = r.glyphMap[ch >> 8][ch & 255];
        FuzzCheck(glyph == 0 || glyph < r.glyphInfo.GetCount());
    }
}

void CheckSubset(TTFReader& r)
{
    Vector<wchar16> chars;
    for(wchar16 ch : { u' ', u'A', u'g', u'\u00E9', u'\u0416', u'\uFFFF' })
        chars.Add(ch);
    String subset = r.Subset(chars, 0, true);
    if(subset.IsVoid())
        return;
    FuzzCheck(TTFReader::CheckSum(subset) == 0xB1B0AFBA);
    TTFReader back;
    FuzzCheck(back.Open(subset, true, false));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    String font((const char*)data, int(size));
    TTFReader r;
    for(bool symbol : { false, true }) {
        if(r.Open(font, symbol, false)) {
            CheckOpened(r, int(size));
            CheckSubset(r);
        }
        if(r.Open(font, symbol, true))
            FuzzCheck(r.head.unitsPerEm != 0 && r.head.magicNumber == 0x5F0F3CF5);
    }
    return 0;
}
