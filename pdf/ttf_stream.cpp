// The byte streams of TTFReader and the serialisation of its four header records.
#include "pdf/ttf_reader.h"

#include <cstring>

namespace Qor {

// Byte by byte, most significant first: an input stream overwrites the bytes, an output stream only copies them.
void TTFReader::TTFStream::Transfer32(uint32& v)
{
    byte b[4] = { byte(v >> 24), byte(v >> 16), byte(v >> 8), byte(v) };
    for(byte& x : b)
        Raw(&x, 1);
    v = (uint32(b[0]) << 24) | (uint32(b[1]) << 16) | (uint32(b[2]) << 8) | b[3];
}

void TTFReader::TTFStream::Transfer32(int32& v)
{
    uint32 u = uint32(v);
    Transfer32(u);
    v = int32(u);
}

void TTFReader::TTFStream::Transfer16(uint16& v)
{
    byte b[2] = { byte(v >> 8), byte(v) };
    Raw(&b[0], 1);
    Raw(&b[1], 1);
    v = uint16((b[0] << 8) | b[1]);
}

void TTFReader::TTFStream::Transfer16(int16& v)
{
    uint16 u = uint16(v);
    Transfer16(u);
    v = int16(u);
}

void TTFReader::TTFStreamOut::Raw(void* data, int n) { out.Append((const char*)data, n); }

void TTFReader::TTFStreamIn::Raw(void* data, int n)
{
    if(n < 0 || lim - s < n)
        throw Fail();
    std::memcpy(data, s, n);
    s += n;
}

void TTFReader::TTFStreamIn::Seek(int offset)
{
    // A position outside the block is refused at once, so the read position never leaves it.
    if(offset < 0 || lim - beg < offset)
        throw Fail();
    s = beg + offset;
}

int TTFReader::TTFStreamIn::Get16()
{
    uint16 v = 0;
    Transfer16(v);
    return v;
}

String TTFReader::TTFStreamIn::Get(int n)
{
    if(n < 0 || lim - s < n)
        throw Fail();
    String r((const char*)s, n);
    s += n;
    return r;
}

void TTFReader::Head::Serialize(TTFStream& s)
{
    s.Transfer32(version);
    s.Transfer32(fontRevision);
    s.Transfer32(checkSumAdjustment);
    s.Transfer32(magicNumber);
    s.Transfer16(flags);
    s.Transfer16(unitsPerEm);
    s.Raw(created, 8);
    s.Raw(modified, 8);
    for(int16* v : { &xMin, &yMin, &xMax, &yMax })
        s.Transfer16(*v);
    s.Transfer16(macStyle);
    s.Transfer16(lowestRecPPEM);
    s.Transfer16(fontDirectionHint);
    s.Transfer16(indexToLocFormat);
    s.Transfer16(glyphDataFormat);
}

void TTFReader::Hhea::Serialize(TTFStream& s)
{
    for(int16& r : reserved)
        r = 0;
    s.Transfer32(version);
    s.Transfer16(ascender);
    s.Transfer16(descender);
    s.Transfer16(lineGap);
    s.Transfer16(advanceWidthMax);
    for(int16* v : { &minLeftSideBearing, &minRightSideBearing, &xMaxExtent, &caretSlopeRise, &caretSlopeRun,
                     &caretOffset, &reserved[0], &reserved[1], &reserved[2], &reserved[3], &metricDataFormat })
        s.Transfer16(*v);
    s.Transfer16(numberOfHMetrics);
}

void TTFReader::Maxp::Serialize(TTFStream& s)
{
    s.Transfer32(version);
    for(uint16* v : { &numGlyphs, &maxPoints, &maxContours, &maxCompositePoints, &maxCompositeContours, &maxZones,
                      &maxTwilightPoints, &maxStorage, &maxFunctionDefs, &maxInstructionDefs, &maxStackElements,
                      &maxSizeOfInstructions, &maxComponentElements, &maxComponentDepth })
        s.Transfer16(*v);
}

void TTFReader::Post::Serialize(TTFStream& s)
{
    reserved = 0;
    s.Transfer32(format);
    s.Transfer32(italicAngle);
    s.Transfer16(underlinePosition);
    s.Transfer16(underlineThickness);
    s.Transfer16(isFixedPitch);
    s.Transfer16(reserved);
    for(uint32* v : { &minMemType42, &maxMemType42, &minMemType1, &maxMemType1 })
        s.Transfer32(*v);
}

} // namespace Qor
