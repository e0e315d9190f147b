// TTFReader: the tables, metrics, character map and PostScript name of a TrueType font held in memory.
#pragma once

#include "foundation/key_index.h"
#include "foundation/key_map.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/vector.h"

namespace Qor {

class TTFReader {
public:
    struct Fail {};

    // Moves the big-endian records of the font in either direction: one Serialize per record reads and writes.
    class TTFStream {
    public:
        struct Fail {};

        virtual void Raw(void* data, int n) = 0;
        virtual ~TTFStream() = default;

        void Transfer32(uint32& v);
        void Transfer32(int32& v);
        void Transfer16(uint16& v);
        void Transfer16(int16& v);
    };

    class TTFStreamOut : public TTFStream {
    public:
        String out;

        void Raw(void* data, int n) override;
    };

    // Reads inside [beg, lim); a read past the limit throws TTFStream::Fail.
    class TTFStreamIn : public TTFStream {
    public:
        const byte* beg = nullptr;
        const byte* s = nullptr;
        const byte* lim = nullptr;

        void Raw(void* data, int n) override;
        void Seek(int offset);
        int Get16();
        String Get(int n);
    };

    struct Table {
        int offset = 0;
        int length = 0;
    };

    struct GlyphInfo {
        int offset = 0;
        int size = 0; // 0: the glyph has no outline
        uint16 advanceWidth = 0;
        int16 leftSideBearing = 0;
    };

    struct Head {
        uint32 version = 0;
        uint32 fontRevision = 0;
        uint32 checkSumAdjustment = 0;
        uint32 magicNumber = 0;
        uint16 flags = 0;
        uint16 unitsPerEm = 0;
        byte created[8] = {};
        byte modified[8] = {};
        int16 xMin = 0, yMin = 0, xMax = 0, yMax = 0;
        uint16 macStyle = 0;
        uint16 lowestRecPPEM = 0;
        int16 fontDirectionHint = 0;
        int16 indexToLocFormat = 0;
        int16 glyphDataFormat = 0;

        void Serialize(TTFStream& s);
    };

    struct Hhea {
        uint32 version = 0;
        int16 ascender = 0, descender = 0, lineGap = 0;
        uint16 advanceWidthMax = 0;
        int16 minLeftSideBearing = 0, minRightSideBearing = 0, xMaxExtent = 0;
        int16 caretSlopeRise = 0, caretSlopeRun = 0, caretOffset = 0;
        int16 reserved[4] = {};
        int16 metricDataFormat = 0;
        uint16 numberOfHMetrics = 0;

        void Serialize(TTFStream& s);
    };

    struct Maxp {
        uint32 version = 0;
        uint16 numGlyphs = 0, maxPoints = 0, maxContours = 0, maxCompositePoints = 0, maxCompositeContours = 0;
        uint16 maxZones = 0, maxTwilightPoints = 0, maxStorage = 0, maxFunctionDefs = 0, maxInstructionDefs = 0;
        uint16 maxStackElements = 0, maxSizeOfInstructions = 0, maxComponentElements = 0, maxComponentDepth = 0;

        void Serialize(TTFStream& s);
    };

    struct Post {
        uint32 format = 0;
        int32 italicAngle = 0; // 16.16 fixed point; negative for fonts leaning right
        int16 underlinePosition = 0;
        int16 underlineThickness = 0;
        uint16 isFixedPitch = 0;
        uint16 reserved = 0;
        uint32 minMemType42 = 0, maxMemType42 = 0, minMemType1 = 0, maxMemType1 = 0;

        void Serialize(TTFStream& s);
    };

    // One table of a font being written.
    struct NewTable {
        String name;
        String data;
        uint32 checksum = 0;
    };

    TTFReader();
    ~TTFReader();
    TTFReader(const TTFReader&) = delete;
    TTFReader& operator=(const TTFReader&) = delete;

    // False for anything that is not a usable TrueType font; the reader's tables are then not to be used.
    // With justCheck only the head, maxp and post tables are read.
    bool Open(const String& font, bool symbol = false, bool justCheck = false);
    // Sets in to cover exactly the table; throws Fail when the table is absent.
    void Seek(const char* tag, TTFStreamIn& in) const;
    // The table's bytes; the void String when the table is absent.
    String GetTable(const char* tag) const;

    // A font of the glyphs of chars alone, its format-0 character map giving chars[i] the code first + i; the
    // void String when the font is malformed or the codes do not fit in 256. Needs a complete Open.
    String Subset(const Vector<wchar16>& chars, int first = 0, bool os2 = false);
    // Big-endian uint32 words summed modulo 2^32; a last partial word is padded with zeros.
    static uint32 CheckSum(const String& data);
    // The offset table and table directory of the tables, laid out in list order on 4-byte boundaries.
    static String WriteDirectory(const Vector<NewTable>& list);

    KeyMap<String, Table> tables;
    const uint16* glyphMap[256];
    Vector<GlyphInfo> glyphInfo;
    Head head;
    Hhea hhea;
    Maxp maxp;
    Post post;
    String psName;

private:
    String font;
    uint16 zero_page[256] = {};
    uint16* own_pages[256] = {};

    void ReleasePages();
    void SetGlyph(int ch, int glyph);
    void ReadDirectory();
    void ReadMetrics();
    void ReadLocations();
    void ReadCharMap(bool symbol);
    void ReadFormat4(TTFStreamIn& in, int subtable);
    void ReadName();

    String SubsetFont(const Vector<wchar16>& chars, int first, bool os2);
    void CopyGlyph(int glyph, KeyIndex<int>& glyphs, TTFStreamOut& glyf);
};

} // namespace Qor
