// BMP files exchanged with ImageMagick: files of every bit count, compression and info
// header it writes read back to the pixels it reads from them, and the files we write read
// by it to the pixels we read. Skipped where ImageMagick is not installed.

#include "draw/raster/bmp/bmp_encoder.h"
#include "draw/raster/bmp/bmp_raster.h"
#include "tests/draw/support/bmp_files.h"
#include "tests/draw/support/image_fixtures.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace Qor;
using QorTest::MakeImage;
using QorTest::Opaque;

namespace {

// "magick" or "convert" when either runs as ImageMagick, else empty.
std::string MagickCommand()
{
    for(const char* command : { "magick", "convert" }) {
        std::string line = std::string(command) + " -version 2>/dev/null";
        FILE* p = popen(line.c_str(), "r");
        if(!p)
            continue;
        std::string out;
        char buffer[256];
        while(fgets(buffer, sizeof(buffer), p))
            out += buffer;
        if(pclose(p) == 0 && out.find("ImageMagick") != std::string::npos)
            return command;
    }
    return "";
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const std::string& path, const std::string& data) { std::ofstream(path, std::ios::binary) << data; }

String AsString(const std::string& s) { return String(s.data(), (int)s.size()); }

std::string WritePpm(const Image& img)
{
    std::string s = "P6\n" + std::to_string(img.GetWidth()) + " " + std::to_string(img.GetHeight()) + "\n255\n";
    for(int i = 0; i < img.GetLength(); i++) {
        const RGBA& p = img.GetPixels()[i];
        s += (char)p.r;
        s += (char)p.g;
        s += (char)p.b;
    }
    return s;
}

// A binary PPM of 8-bit channels as opaque pixels; the empty Image when it is none.
Image ReadPpm(const std::string& s)
{
    std::istringstream in(s);
    std::string magic;
    int cx = 0, cy = 0, max = 0;
    in >> magic >> cx >> cy >> max;
    in.get();
    if(magic != "P6" || max != 255 || cx <= 0 || cy <= 0)
        return Image();
    std::string data((size_t)cx * cy * 3, '\0');
    in.read(data.data(), (std::streamsize)data.size());
    if(in.gcount() != (std::streamsize)data.size())
        return Image();
    return MakeImage(cx, cy, [&](int x, int y) {
        const char* p = data.data() + 3 * ((size_t)y * cx + x);
        return Opaque((byte)p[0], (byte)p[1], (byte)p[2]);
    });
}

// Pixels equal in the top bits of each channel (8 for all of a channel).
void ExpectSamePixels(const Image& ours, const Image& theirs, int rbits, int gbits, int bbits)
{
    ASSERT_EQ(ours.GetSize(), theirs.GetSize());
    auto top = [](int v, int bits) { return v >> (8 - bits); };
    for(int i = 0; i < ours.GetLength(); i++) {
        RGBA a = ours.GetPixels()[i], b = theirs.GetPixels()[i];
        ASSERT_TRUE(top(a.r, rbits) == top(b.r, rbits) && top(a.g, gbits) == top(b.g, gbits) &&
                    top(a.b, bbits) == top(b.b, bbits) && a.a == 255)
            << "pixel " << i % ours.GetWidth() << ", " << i / ours.GetWidth() << ": ours " << (int)a.r << " "
            << (int)a.g << " " << (int)a.b << " " << (int)a.a << ", theirs " << (int)b.r << " " << (int)b.g << " "
            << (int)b.b;
    }
}

// More than 256 colours, so that palettes must be chosen.
Image Source()
{
    return MakeImage(29, 13, [](int x, int y) {
        return Opaque((x * 9 + y * 5) % 256, (x * 3 + y * 17) % 256, (x * y * 7 + 40) % 256);
    });
}

class BmpImageMagick : public testing::Test {
protected:
    void SetUp() override
    {
        magick = MagickCommand();
        if(magick.empty())
            GTEST_SKIP() << "ImageMagick is not installed";
    }

    bool Run(const std::string& arguments)
    {
        std::string line = magick + " " + arguments + " 2>/dev/null";
        return std::system(line.c_str()) == 0;
    }

    // ImageMagick's reading of a file, as 8-bit RGB.
    Image TheirPixels(const std::string& bmp)
    {
        std::string ppm = folder.Path("theirs.ppm");
        if(!Run("'" + bmp + "' -depth 8 'ppm:" + ppm + "'"))
            return Image();
        return ReadPpm(ReadFile(ppm));
    }

    std::string magick;
    TempFolder folder{ "qor_bmp" };
};

} // namespace

TEST_F(BmpImageMagick, ItsFilesReadBackToItsPixels)
{
    struct Case {
        const char* name;
        const char* options; // ending in the output format
        uint32_t header_size;
        int bit_count;
        uint32_t compression;
        int rbits, gbits, bbits;
    } cases[] = {
        { "24 bits, 40-byte header", "BMP3", 40, 24, 0, 8, 8, 8 },
        { "24 bits, 108-byte header", "-intent Undefined BMP", 108, 24, 0, 8, 8, 8 },
        { "24 bits, 124-byte header", "BMP", 124, 24, 0, 8, 8, 8 },
        { "32 bits, 40-byte header", "-alpha on -define bmp3:alpha=true BMP3", 40, 32, 0, 8, 8, 8 },
        { "32 bits, bit fields in a 108-byte header", "-alpha on -intent Undefined BMP", 108, 32, 3, 8, 8, 8 },
        { "32 bits, bit fields in a 124-byte header", "-alpha on BMP", 124, 32, 3, 8, 8, 8 },
        { "16 bits 5-6-5, 108-byte header", "-define bmp:subtype=RGB565 -intent Undefined BMP", 108, 16, 3, 5, 6, 5 },
        { "16 bits 5-6-5, 124-byte header", "-define bmp:subtype=RGB565 BMP", 124, 16, 3, 5, 6, 5 },
        { "16 bits 5-5-5, 124-byte header", "-define bmp:subtype=RGB555 BMP", 124, 16, 3, 5, 5, 5 },
        { "8 bits, 40-byte header", "+dither -colors 200 -compress None BMP3", 40, 8, 0, 8, 8, 8 },
        { "8 bits, 124-byte header", "+dither -colors 200 -compress None BMP", 124, 8, 0, 8, 8, 8 },
        { "8 bits RLE, 40-byte header", "+dither -colors 200 -compress RLE BMP3", 40, 8, 1, 8, 8, 8 },
        { "8 bits RLE, 124-byte header", "+dither -colors 200 -compress RLE BMP", 124, 8, 1, 8, 8, 8 },
        { "4 bits, 40-byte header", "+dither -colors 16 -compress None BMP3", 40, 4, 0, 8, 8, 8 },
        { "4 bits, 124-byte header", "+dither -colors 16 -compress None BMP", 124, 4, 0, 8, 8, 8 },
        { "1 bit, 40-byte header", "+dither -colors 2 -compress None BMP3", 40, 1, 0, 8, 8, 8 },
        { "1 bit, 124-byte header", "+dither -colors 2 -compress None BMP", 124, 1, 0, 8, 8, 8 },
    };
    std::string source = folder.Path("source.ppm");
    WriteFile(source, WritePpm(Source()));
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string bmp = folder.Path("made.bmp");
        std::string options = c.options;
        size_t format = options.rfind(' ') + 1;
        ASSERT_TRUE(
            Run("'" + source + "' " + options.substr(0, format) + "'" + options.substr(format) + ":" + bmp + "'"));
        std::string file = ReadFile(bmp);
        ASSERT_GE(file.size(), 54u);
        QorTest::BmpFields f = QorTest::ReadBmpFields(file);
        // The file is of the kind the case is about.
        ASSERT_EQ(f.header_size, c.header_size);
        ASSERT_EQ(f.bit_count, c.bit_count);
        ASSERT_EQ(f.compression, c.compression);

        Image theirs = TheirPixels(bmp);
        ASSERT_FALSE(theirs.IsEmpty());
        ExpectSamePixels(StreamRaster::LoadFromString(AsString(file)), theirs, c.rbits, c.gbits, c.bbits);
    }
}

TEST_F(BmpImageMagick, ItsTwelveByteHeaderIsRefused)
{
    std::string source = folder.Path("source.ppm");
    std::string bmp = folder.Path("old.bmp");
    WriteFile(source, WritePpm(Source()));
    ASSERT_TRUE(Run("'" + source + "' 'BMP2:" + bmp + "'"));
    std::string file = ReadFile(bmp);
    ASSERT_EQ(QorTest::ReadBmpFields(file).header_size, 12u);
    EXPECT_TRUE(StreamRaster::LoadFromString(AsString(file)).IsEmpty());
}

TEST_F(BmpImageMagick, OurFilesReadToOurPixels)
{
    Image grey = MakeImage(29, 13, [](int x, int y) {
        int l = (x * 13 + y * 7) % 256;
        return Opaque(l, l, l);
    });
    struct Case {
        int bpp;
        bool grey;
        int rbits, gbits, bbits;
    } cases[] = {
        { 1, false, 8, 8, 8 },  { 4, false, 8, 8, 8 },  { 8, false, 8, 8, 8 },
        { 1, true, 8, 8, 8 },   { 4, true, 8, 8, 8 },   { 8, true, 8, 8, 8 },
        { 16, false, 5, 6, 5 }, { 24, false, 8, 8, 8 }, { 32, false, 8, 8, 8 },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bpp << (c.grey ? " grey" : ""));
        BMPEncoder encoder(c.bpp, c.grey);
        String file = EncodeImage(encoder, c.grey ? grey : Source());
        std::string bmp = folder.Path("ours.bmp");
        WriteFile(bmp, std::string(file.Begin(), file.GetLength()));
        Image ours = StreamRaster::LoadFromString(file);
        if(c.bpp >= 24)
            ExpectSamePixels(ours, Source(), 8, 8, 8);
        ExpectSamePixels(ours, TheirPixels(bmp), c.rbits, c.gbits, c.bbits);
    }
}
