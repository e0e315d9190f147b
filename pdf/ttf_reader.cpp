// TTFReader: parsing the directory, header tables, metrics, locations, character map and name of a TrueType font.
#include "pdf/ttf_reader.h"

#include <cstring>

namespace Qor {

TTFReader::TTFReader()
{
    for(const uint16*& page : glyphMap)
        page = zero_page;
}

TTFReader::~TTFReader() { ReleasePages(); }

void TTFReader::ReleasePages()
{
    for(int i = 0; i < 256; i++) {
        delete[] own_pages[i];
        own_pages[i] = nullptr;
        glyphMap[i] = zero_page;
    }
}

void TTFReader::SetGlyph(int ch, int glyph)
{
    // A number the font has no glyph for would send the widths and the subset past glyphInfo.
    if(glyph >= glyphInfo.GetCount())
        glyph = 0;
    uint16*& page = own_pages[ch >> 8];
    if(!page) {
        if(glyph == 0)
            return;
        page = new uint16[256]();
        glyphMap[ch >> 8] = page;
    }
    page[ch & 255] = uint16(glyph);
}

void TTFReader::Seek(const char* tag, TTFStreamIn& in) const
{
    const Table* t = tables.FindPtr(String(tag));
    if(!t)
        throw Fail();
    in.beg = in.s = (const byte*)font.Begin() + t->offset;
    in.lim = in.beg + t->length;
}

String TTFReader::GetTable(const char* tag) const
{
    const Table* t = tables.FindPtr(String(tag));
    return t ? font.Mid(t->offset, t->length) : String::GetVoid();
}

static uint32 Get32(TTFReader::TTFStreamIn& in)
{
    uint32 v = 0;
    in.Transfer32(v);
    return v;
}

void TTFReader::ReadDirectory()
{
    TTFStreamIn in;
    in.beg = in.s = (const byte*)font.Begin();
    in.lim = in.beg + font.GetLength();
    in.Seek(4);
    int count = in.Get16();
    for(int i = 0; i < count; i++) {
        in.Seek(12 + 16 * i);
        String tag = in.Get(4);
        in.Seek(12 + 16 * i + 8);
        uint32 offset = Get32(in);
        uint32 length = Get32(in);
        // A table reaching outside the font is taken as absent, so nothing beyond the font is ever read.
        uint32 size = uint32(font.GetLength());
        if(offset > size || length > size - offset)
            continue;
        tables.Add(tag, Table{ int(offset), int(length) });
    }
}

void TTFReader::ReadMetrics()
{
    TTFStreamIn in;
    Seek("hmtx", in);
    uint16 advance = 0;
    for(int i = 0; i < glyphInfo.GetCount(); i++) {
        GlyphInfo& g = glyphInfo[i];
        if(i < hhea.numberOfHMetrics)
            in.Transfer16(advance);
        g.advanceWidth = advance;
        in.Transfer16(g.leftSideBearing);
    }
}

void TTFReader::ReadLocations()
{
    TTFStreamIn in;
    Seek("loca", in);
    const Table* glyf = tables.FindPtr(String("glyf"));
    int64 glyf_length = glyf ? glyf->length : 0;
    auto next = [&]() -> int64 { return head.indexToLocFormat ? int64(Get32(in)) : 2 * int64(in.Get16()); };
    int64 offset = next();
    for(GlyphInfo& g : glyphInfo) {
        int64 end = next();
        // Glyph data outside the glyf table, or running backwards, would be copied from elsewhere in the font.
        if(end < offset || end > glyf_length)
            throw Fail();
        g.offset = int(offset);
        g.size = int(end - offset);
        offset = end;
    }
}

void TTFReader::ReadFormat4(TTFStreamIn& in, int subtable)
{
    in.Seek(subtable + 6);
    int seg_count = in.Get16() / 2;
    int end_at = subtable + 14;
    int start_at = end_at + 2 * seg_count + 2;
    int delta_at = start_at + 2 * seg_count;
    int range_at = delta_at + 2 * seg_count;
    int next = 0;
    for(int i = 0; i < seg_count; i++) {
        in.Seek(end_at + 2 * i);
        int end = in.Get16();
        in.Seek(start_at + 2 * i);
        int start = in.Get16();
        in.Seek(delta_at + 2 * i);
        int delta = in.Get16();
        in.Seek(range_at + 2 * i);
        int range = in.Get16();
        // Segments ascend: one running backwards or over an earlier one is passed over, which also keeps a
        // hostile table from mapping every character once per segment.
        if(start < next || start > end)
            continue;
        next = end + 1;
        for(int c = start; c <= end; c++) {
            if(delta != 0 || range == 0) {
                SetGlyph(c, (c + delta) & 0xFFFF);
                continue;
            }
            // A range pointing past the table leaves its characters on glyph 0 rather than losing the font.
            int64 at = int64(range_at) + 2 * i + range + 2 * (c - start);
            int glyph = 0;
            if(at + 2 <= in.lim - in.beg) {
                in.Seek(int(at));
                glyph = in.Get16();
            }
            SetGlyph(c, glyph);
        }
    }
}

void TTFReader::ReadCharMap(bool symbol)
{
    TTFStreamIn in;
    Seek("cmap", in);
    in.Seek(2);
    int count = in.Get16();
    for(int i = 0; i < count; i++) {
        in.Seek(4 + 8 * i);
        int platform = in.Get16();
        int encoding = in.Get16();
        uint32 offset = Get32(in);
        if(symbol ? platform != 1 || encoding != 0 : platform != 3 || encoding != 1)
            continue;
        if(offset > uint32(in.lim - in.beg))
            throw Fail();
        int subtable = int(offset);
        in.Seek(subtable);
        int format = in.Get16();
        // Another format read by these rules would give characters glyphs picked from unrelated bytes.
        if(format != (symbol ? 0 : 4))
            continue;
        if(symbol) {
            in.Seek(subtable + 6);
            for(int ch = 0; ch < 256; ch++) {
                byte glyph;
                in.Raw(&glyph, 1);
                SetGlyph(ch, glyph);
            }
        }
        else
            ReadFormat4(in, subtable);
        return;
    }
}

void TTFReader::ReadName()
{
    TTFStreamIn in;
    Seek("name", in);
    in.Seek(2);
    int count = in.Get16();
    int strings = in.Get16();
    for(int i = 0; i < count; i++) {
        in.Seek(6 + 12 * i);
        int platform = in.Get16();
        in.Get16(); // encoding
        in.Get16(); // language
        int id = in.Get16();
        int length = in.Get16();
        int offset = in.Get16();
        if(id != 6)
            continue;
        in.Seek(strings + offset);
        if(platform == 1) {
            psName = in.Get(length);
            return;
        }
        String units = in.Get(length & ~1);
        String name;
        for(int j = 1; j < units.GetLength(); j += 2)
            name.Append(units.Begin() + j, 1);
        psName = name;
        return;
    }
}

bool TTFReader::Open(const String& font_data, bool symbol, bool justCheck)
{
    ReleasePages();
    tables.Clear();
    glyphInfo.Clear();
    font = font_data;
    try {
        if(font.GetLength() < 4)
            throw Fail();
        if(std::memcmp(font.Begin(), "\0\1\0\0", 4) != 0 && std::memcmp(font.Begin(), "true", 4) != 0)
            throw Fail();
        ReadDirectory();
        TTFStreamIn in;
        Seek("head", in);
        head.Serialize(in);
        // Every size in the font is in units of the em: without one no width or metric means anything.
        if(head.magicNumber != 0x5F0F3CF5 || head.unitsPerEm == 0)
            throw Fail();
        Seek("maxp", in);
        maxp.Serialize(in);
        Seek("post", in);
        post.Serialize(in);
        if(justCheck)
            return true;
        Seek("hhea", in);
        hhea.Serialize(in);
        // Without a single metric there is no advance for the glyphs to repeat.
        if(hhea.numberOfHMetrics > maxp.numGlyphs || (hhea.numberOfHMetrics == 0 && maxp.numGlyphs > 0))
            throw Fail();
        glyphInfo.SetCount(maxp.numGlyphs);
        ReadMetrics();
        ReadLocations();
        ReadCharMap(symbol);
        ReadName();
        return true;
    }
    catch(const Fail&) {
    }
    catch(const TTFStream::Fail&) {
    }
    return false;
}

} // namespace Qor
