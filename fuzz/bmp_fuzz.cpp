// Fuzz target for the BMP reader and writer. The input is decoded as a BMP file, whole
// and line by line; checked: nothing is allocated beyond what the bytes can justify (the
// sanitizer's allocation limit catches that), both ways of reading agree, every pixel is
// opaque or cleared, and a decoded image written at 24 and 32 bits reads back the same,
// and at the other bit counts to an image of its size.
#include "fuzz/fuzz_support.h"
#include "draw/raster/bmp/bmp_encoder.h"
#include "draw/raster/bmp/bmp_raster.h"

#include "foundation/string_stream.h"

#include <cstdint>
#include <memory>

using namespace Qor;

namespace {

// What a written file shows of a decoded pixel: cleared pixels have no colour.
RGBA Written(RGBA p) { return p.a ? p : RGBA{ 0, 0, 0, 255 }; }

void CheckLines(const String& data, const Image& img)
{
    StringStream s(data);
    std::unique_ptr<StreamRaster> raster(StreamRaster::OpenStream(s));
    FuzzCheck(!raster == img.IsEmpty() || raster->IsError());
    if(!raster)
        return;
    Size sz = raster->GetSize();
    // Lines in reverse order, and ones outside the image, which come out blank.
    for(int y : { sz.cy, -1 })
        FuzzCheck(raster->GetLine(y).GetRGBA()[0] == (RGBA{ 0, 0, 0, 0 }));
    for(int y = sz.cy - 1; y >= 0 && !img.IsEmpty(); y--) {
        RasterLine line = raster->GetLine(y);
        const RGBA* p = line.GetRGBA();
        for(int x = 0; x < sz.cx; x++)
            FuzzCheck(p[x] == img.GetPixels()[(int64)y * sz.cx + x]);
    }
}

void CheckRewritten(const Image& img)
{
    for(int bits : { 1, 4, 8, 16, 24, 32 }) {
        // Grey ramps: building a palette costs more than the rest together and is not
        // what is fuzzed here.
        BMPEncoder encoder(bits, true);
        Image back = StreamRaster::LoadFromString(EncodeImage(encoder, img));
        FuzzCheck(back.GetSize() == img.GetSize());
        if(bits < 24)
            continue;
        for(int64 i = 0; i < img.GetLength(); i++)
            FuzzCheck(back.GetPixels()[i] == Written(img.GetPixels()[i]));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if(size > (1 << 20))
        return 0;
    String text((const char*)data, (int)size);
    Image img = StreamRaster::LoadFromString(text);
    for(int64 i = 0; i < img.GetLength(); i++) {
        RGBA p = img.GetPixels()[i];
        FuzzCheck(p.a == 255 || p == (RGBA{ 0, 0, 0, 0 }));
    }
    // The second reading and the writing run on the smaller images, where they cost less
    // than the decoding that finds the inputs.
    if(img.GetLength() > (1 << 16))
        return 0;
    CheckLines(text, img);
    if(!img.IsEmpty())
        CheckRewritten(img);
    return 0;
}
