// TTFReader::Subset: writing a small TrueType font of the glyphs a document uses, for embedding.
#include "pdf/ttf_reader.h"

namespace Qor {

namespace {

// The whole font's checksum must come to this once the head carries its adjustment.
constexpr uint32 FONT_CHECKSUM = 0xB1B0AFBA;

// Bits of a composite glyph's component flags.
enum : int {
    ARGS_ARE_WORDS = 0x0001,
    HAVE_SCALE = 0x0008,
    MORE_COMPONENTS = 0x0020,
    HAVE_XY_SCALE = 0x0040,
    HAVE_TWO_BY_TWO = 0x0080,
    HAVE_INSTRUCTIONS = 0x0100,
};

void Put16(TTFReader::TTFStreamOut& out, int v)
{
    uint16 u = uint16(v);
    out.Transfer16(u);
}

void Put32(TTFReader::TTFStreamOut& out, uint32 v) { out.Transfer32(v); }

void PutZeros(String& out, int n)
{
    for(int i = 0; i < n; i++)
        out.AppendChar(0);
}

// Copies n bytes from in to out.
void Copy(TTFReader::TTFStreamIn& in, TTFReader::TTFStreamOut& out, int n) { out.out.Append(in.Get(n)); }

template <class Record>
String Write(Record r)
{
    TTFReader::TTFStreamOut out;
    r.Serialize(out);
    return out.out;
}

int Get16At(const String& s, int at) { return (byte(s[at]) << 8) | byte(s[at + 1]); }

// The naming table cut to the records that name the font (family, style, unique name, full
// name, version, PostScript name): the copyright, licence and description texts make up most
// of a naming table and most of a small subset. A table that does not read cleanly is kept whole.
String NamingTable(const String& name)
{
    enum { LAST_NAME_ID = 6 };
    int n = name.GetLength();
    if(n < 6)
        return name;
    int count = Get16At(name, 2);
    int strings = Get16At(name, 4);
    if(6 + 12 * count > n)
        return name;
    TTFReader::TTFStreamOut records;
    String text;
    int kept = 0;
    for(int i = 0; i < count; i++) {
        int r = 6 + 12 * i;
        int name_id = Get16At(name, r + 6);
        int language = Get16At(name, r + 4);
        int length = Get16At(name, r + 8);
        int at = strings + Get16At(name, r + 10);
        if(name_id < 1 || name_id > LAST_NAME_ID || language >= 0x8000) // 0x8000 up: a language tag of format 1
            continue;
        if(at + length > n)
            return name;
        for(int k = 0; k < 3; k++)
            Put16(records, Get16At(name, r + 2 * k));
        Put16(records, name_id);
        Put16(records, length);
        Put16(records, text.GetLength());
        text.Append(name.Begin() + at, length);
        kept++;
    }
    TTFReader::TTFStreamOut out;
    Put16(out, 0);
    Put16(out, kept);
    Put16(out, 6 + 12 * kept);
    out.out.Append(records.out);
    out.out.Append(text);
    return out.out;
}

} // namespace

uint32 TTFReader::CheckSum(const String& data)
{
    const byte* s = (const byte*)data.Begin();
    int n = data.GetLength();
    uint32 sum = 0;
    for(int i = 0; i < n; i += 4) {
        uint32 word = 0;
        for(int j = 0; j < 4; j++)
            word = (word << 8) | (i + j < n ? s[i + j] : 0);
        sum += word;
    }
    return sum;
}

String TTFReader::WriteDirectory(const Vector<NewTable>& list)
{
    TTFStreamOut out;
    int n = list.GetCount();
    int power = 1, log2 = 0;
    while(power * 2 <= n) {
        power *= 2;
        log2++;
    }
    Put32(out, 0x00010000);
    Put16(out, n);
    Put16(out, 16 * power);
    Put16(out, log2);
    Put16(out, 16 * n - 16 * power);
    uint32 offset = 12 + 16 * n;
    for(const NewTable& t : list) {
        out.out.Append(t.name);
        Put32(out, t.checksum);
        Put32(out, offset);
        Put32(out, t.data.GetLength());
        offset += (t.data.GetLength() + 3) & ~3;
    }
    return out.out;
}

namespace {

// Empty data adds no table.
void AddNewTable(Vector<TTFReader::NewTable>& tables, const char* name, const String& data)
{
    if(data.IsEmpty())
        return;
    TTFReader::NewTable& t = tables.Add();
    t.name = name;
    t.data = data;
    t.checksum = TTFReader::CheckSum(data);
}

} // namespace

// Appends glyph's outline to glyf; the components of a composite are renumbered into glyphs, new ones appended.
void TTFReader::CopyGlyph(int glyph, KeyIndex<int>& glyphs, TTFStreamOut& glyf)
{
    const GlyphInfo& g = glyphInfo[glyph];
    if(g.size == 0)
        return;
    // Less than the header of an outline cannot be a glyph.
    if(g.size < 10)
        throw Fail();
    TTFStreamIn in;
    Seek("glyf", in);
    in.Seek(g.offset);
    int16 contours = 0;
    in.Transfer16(contours);
    Put16(glyf, contours);
    Copy(in, glyf, 8);
    if(contours >= 0) {
        Copy(in, glyf, g.size - 10);
        return;
    }
    int flags = 0;
    do {
        flags = in.Get16();
        Put16(glyf, flags);
        int component = in.Get16();
        if(component >= glyphInfo.GetCount())
            throw Fail();
        Put16(glyf, glyphs.FindAdd(component));
        Copy(in, glyf, flags & ARGS_ARE_WORDS ? 4 : 2);
        Copy(in, glyf, flags & HAVE_SCALE ? 2 : flags & HAVE_XY_SCALE ? 4 : flags & HAVE_TWO_BY_TWO ? 8 : 0);
    } while(flags & MORE_COMPONENTS);
    if(flags & HAVE_INSTRUCTIONS) {
        int length = in.Get16();
        Put16(glyf, length);
        Copy(in, glyf, length);
    }
}

String TTFReader::SubsetFont(const Vector<wchar16>& chars, int first, bool os2)
{
    // Codes past 255 have no place in a one-byte map.
    if(first < 0 || chars.GetCount() > 256 - first)
        throw Fail();
    KeyIndex<int> glyphs;
    glyphs.Add(0);
    TTFStreamOut cmap;
    Put16(cmap, 0); // version
    Put16(cmap, 1); // one subtable
    Put16(cmap, 1); // platform
    Put16(cmap, 0); // encoding
    Put32(cmap, cmap.out.GetLength() + 4);
    Put16(cmap, 0);   // format
    Put16(cmap, 262); // length
    Put16(cmap, 0);   // language
    PutZeros(cmap.out, first);
    for(wchar16 ch : chars) {
        int glyph = glyphMap[ch >> 8][ch & 255];
        if(glyph) {
            // A format-0 map holds glyph numbers of one byte.
            if(glyphs.GetCount() > 255)
                throw Fail();
            cmap.out.AppendChar(byte(glyphs.GetCount()));
            glyphs.Add(glyph);
        }
        else
            cmap.out.AppendChar(0);
    }
    // Padding counts the codes below first too, so the map stays the 262 bytes its header says.
    PutZeros(cmap.out, 256 - first - chars.GetCount());

    TTFStreamOut glyf, loca, hmtx;
    for(int i = 0; i < glyphs.GetCount(); i++) {
        int glyph = glyphs[i];
        if(glyph >= glyphInfo.GetCount())
            throw Fail();
        Put32(loca, glyf.out.GetLength());
        Put16(hmtx, glyphInfo[glyph].advanceWidth);
        Put16(hmtx, glyphInfo[glyph].leftSideBearing);
        CopyGlyph(glyph, glyphs, glyf);
    }
    Put32(loca, glyf.out.GetLength());
    // The glyph count is a 16-bit field everywhere it is written.
    if(glyphs.GetCount() > 0xFFFF)
        throw Fail();

    Hhea new_hhea = hhea;
    new_hhea.numberOfHMetrics = uint16(glyphs.GetCount());
    Maxp new_maxp = maxp;
    new_maxp.numGlyphs = uint16(glyphs.GetCount());
    Post new_post = post;
    new_post.format = 0x00030000;
    Head new_head = head;
    new_head.checkSumAdjustment = 0;
    new_head.indexToLocFormat = 1;

    Vector<NewTable> new_tables;
    if(os2)
        AddNewTable(new_tables, "OS/2", GetTable("OS/2"));
    AddNewTable(new_tables, "cmap", cmap.out);
    AddNewTable(new_tables, "cvt ", GetTable("cvt "));
    AddNewTable(new_tables, "fpgm", GetTable("fpgm"));
    AddNewTable(new_tables, "glyf", glyf.out);
    AddNewTable(new_tables, "head", Write(new_head));
    AddNewTable(new_tables, "hhea", Write(new_hhea));
    AddNewTable(new_tables, "hmtx", hmtx.out);
    AddNewTable(new_tables, "loca", loca.out);
    AddNewTable(new_tables, "maxp", Write(new_maxp));
    AddNewTable(new_tables, "name", NamingTable(GetTable("name")));
    AddNewTable(new_tables, "post", Write(new_post));
    AddNewTable(new_tables, "prep", GetTable("prep"));

    // The directory holds names, checksums and lengths, which the head's adjustment leaves alone.
    String directory = WriteDirectory(new_tables);
    uint32 sum = CheckSum(directory);
    for(const NewTable& t : new_tables)
        sum += t.checksum;
    new_head.checkSumAdjustment = FONT_CHECKSUM - sum;
    // The head's directory checksum stays the one taken with the adjustment zeroed, as readers verify it; only
    // so does the whole font sum to FONT_CHECKSUM.
    for(NewTable& t : new_tables)
        if(t.name == "head")
            t.data = Write(new_head);

    String result = std::move(directory);
    for(const NewTable& t : new_tables) {
        result.Append(t.data);
        PutZeros(result, (4 - t.data.GetLength() % 4) % 4);
    }
    return result;
}

String TTFReader::Subset(const Vector<wchar16>& chars, int first, bool os2)
{
    String result;
    try {
        result = SubsetFont(chars, first, os2);
    }
    catch(const Fail&) {
        result = String::GetVoid();
    }
    catch(const TTFStream::Fail&) {
        result = String::GetVoid();
    }
    return result;
}

} // namespace Qor
