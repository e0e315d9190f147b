// Build-time tool: turns a text-art file of images into compiled-in image list blocks.
//
//     image_art INPUT.art OUTPUT.cpp SYMBOL
//
// The art file holds, one per line ('#' starts a comment line):
//     colour C R G B A     the character C stands for that colour (straight alpha, 0-255)
//     block                starts a new data block (the first one needs none)
//     image NAME           starts an image; its rows of colour characters follow
//     hotspot X Y          (optional, after "image") the hotspot
//     spot X Y             (optional, after "image") the second spot
// Rows of one image must be of equal length. An image may instead be drawn from geometry:
//     size W H             a clear canvas of that size; rows that follow are laid over it
//                          from the "at" position on, and clear characters leave it alone
//     copy NAME            a canvas holding an earlier image's pixels
//     at X Y               where the next rows go
// and then, on the canvas, each shape blended over what is there (coordinates are pixel
// edges and may be fractional; shapes are anti-aliased by 8 x 8 samples per pixel):
//     fill C                              the whole canvas
//     box X Y W H R C                     a box with corners rounded by R
//     frame X Y W H R T C                 its outline, T thick
//     vgrad X Y W H R C1 C2               a box shaded from C1 at the top to C2 at the bottom
//     hgrad X Y W H R C1 C2               ... from C1 at the left to C2 at the right
//     ellipse CX CY RX RY C               an ellipse
//     ring CX CY RX RY T C                its outline, T thick
//     line X1 Y1 X2 Y2 T C                a stroke T thick with round ends
//     poly C X1 Y1 X2 Y2 X3 Y3 ...        a polygon (even-odd)
//     clear X Y W H                       makes a box transparent
//     paste NAME X Y                      an earlier image, its top left corner at (X, Y)
//     flip h|v, turn                      mirrors, or turns a quarter clockwise
//     grey                                greys the canvas out (a disabled look)
// A colour C is a character given by "colour" or #RRGGBB or #RRGGBBAA.
// The output defines SYMBOL_list, the ArtImageData of draw/image_list/image_list.h, and the
// tables it points to: SYMBOL_blocks, SYMBOL_block_sizes and SYMBOL_block_counts (the zlib
// blocks of premultiplied records), SYMBOL_block_count, SYMBOL_count and SYMBOL_names; a
// file of one block also defines SYMBOL and SYMBOL_size for that block.
#include "tools/image_art_shapes.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace ImageArt;

struct ArtImage {
    std::string name;
    int hotspot_x = 0, hotspot_y = 0, spot_x = 0, spot_y = 0;
    int width = 0, height = 0;
    std::vector<Pixel> pixels;
    bool drawn = false; // sized or copied: rows overlay instead of growing it
    int at_x = 0, at_y = 0;
    int block = 0;
};

std::string file;
int line_number = 0;

[[noreturn]] void Fail(const std::string& text)
{
    std::cerr << file << ":" << line_number << ": " << text << "\n";
    std::exit(1);
}

void Put16(std::string& out, int v)
{
    out += (char)(v & 255);
    out += (char)((v >> 8) & 255);
}

// (c * e) >> 8 with e = a + (a >> 7): the premultiplication of the drawing layer.
int Premultiply(int c, int a) { return a == 255 ? c : c * (a + (a >> 7)) >> 8; }

std::map<char, Pixel> colours;

Pixel ParseColour(const std::string& c)
{
    if(c.size() == 1) {
        auto it = colours.find(c[0]);
        if(it == colours.end())
            Fail("no colour for '" + c + "'");
        return it->second;
    }
    if(c[0] != '#' || (c.size() != 7 && c.size() != 9))
        Fail("colour " + c + " is neither a character nor #RRGGBB[AA]");
    unsigned long v = std::strtoul(c.c_str() + 1, nullptr, 16);
    if(c.size() == 7)
        v = v << 8 | 255;
    return Pixel{ double(v >> 24 & 255), double(v >> 16 & 255), double(v >> 8 & 255), double(v & 255) / 255 };
}

// Blends the shape into every pixel it covers, with the colour the shader gives at the
// pixel's centre.
void Paint(ArtImage& m, const std::function<bool(double, double)>& inside,
           const std::function<Pixel(double, double)>& shade)
{
    const int n = 8;
    for(int y = 0; y < m.height; y++)
        for(int x = 0; x < m.width; x++) {
            int hits = 0;
            for(int sy = 0; sy < n; sy++)
                for(int sx = 0; sx < n; sx++)
                    hits += inside(x + (sx + 0.5) / n, y + (sy + 0.5) / n);
            if(hits)
                Blend(m.pixels[y * m.width + x], shade(x + 0.5, y + 0.5), double(hits) / (n * n));
        }
}

std::vector<double> Numbers(std::istringstream& words, size_t count, const std::string& keyword)
{
    std::vector<double> v(count);
    for(double& d : v)
        if(!(words >> d))
            Fail(keyword + " wants " + std::to_string(count) + " numbers");
    return v;
}

std::string Word(std::istringstream& words, const std::string& keyword)
{
    std::string w;
    if(!(words >> w))
        Fail(keyword + " wants more");
    return w;
}

void Transform(ArtImage& m, const std::string& how)
{
    std::vector<Pixel> out(m.pixels.size());
    int w = m.width, h = m.height;
    for(int y = 0; y < h; y++)
        for(int x = 0; x < w; x++) {
            const Pixel& p = m.pixels[y * w + x];
            if(how == "h")
                out[y * w + (w - 1 - x)] = p;
            else if(how == "v")
                out[(h - 1 - y) * w + x] = p;
            else // a quarter clockwise: (x, y) goes to (h - 1 - y, x) in an h wide image
                out[x * h + (h - 1 - y)] = p;
        }
    if(how == "turn")
        std::swap(m.width, m.height);
    m.pixels = out;
}

const ArtImage* earlier = nullptr; // the images before the one being drawn
int earlier_count = 0;

const ArtImage& Earlier(const std::string& name)
{
    for(int i = 0; i < earlier_count; i++)
        if(earlier[i].name == name)
            return earlier[i];
    Fail("no earlier image " + name);
}

void Draw(ArtImage& m, const std::string& keyword, std::istringstream& words)
{
    if(m.pixels.empty() && keyword != "flip" && keyword != "turn")
        Fail(keyword + " needs a canvas: start the image with size or copy");
    if(keyword == "fill") {
        Pixel c = ParseColour(Word(words, keyword));
        for(Pixel& p : m.pixels)
            Blend(p, c, 1);
    }
    else if(keyword == "clear") {
        std::vector<double> v = Numbers(words, 4, keyword);
        for(int y = std::max(0, (int)v[1]); y < std::min(m.height, (int)(v[1] + v[3])); y++)
            for(int x = std::max(0, (int)v[0]); x < std::min(m.width, (int)(v[0] + v[2])); x++)
                m.pixels[y * m.width + x] = Pixel();
    }
    else if(keyword == "box" || keyword == "frame" || keyword == "vgrad" || keyword == "hgrad") {
        std::vector<double> v = Numbers(words, keyword == "frame" ? 6 : 5, keyword);
        double x = v[0], y = v[1], w = v[2], h = v[3], r = v[4];
        Pixel c1 = ParseColour(Word(words, keyword));
        Pixel c2 = keyword == "vgrad" || keyword == "hgrad" ? ParseColour(Word(words, keyword)) : c1;
        std::function<bool(double, double)> inside = [=](double px, double py) {
            return InRoundBox(px, py, x, y, w, h, r);
        };
        if(keyword == "frame") {
            double t = v[5];
            inside = [=](double px, double py) {
                return InRoundBox(px, py, x, y, w, h, r) &&
                       !InRoundBox(px, py, x + t, y + t, w - 2 * t, h - 2 * t, std::max(0.0, r - t));
            };
        }
        bool vertical = keyword != "hgrad";
        Paint(m, inside, [=](double px, double py) {
            double t = vertical ? (h > 1 ? (py - y - 0.5) / (h - 1) : 0) : (w > 1 ? (px - x - 0.5) / (w - 1) : 0);
            return Mix(c1, c2, t);
        });
    }
    else if(keyword == "ellipse" || keyword == "ring") {
        std::vector<double> v = Numbers(words, keyword == "ring" ? 5 : 4, keyword);
        Pixel c = ParseColour(Word(words, keyword));
        double t = keyword == "ring" ? v[4] : -1;
        Paint(
            m,
            [=](double px, double py) {
                return InEllipse(px, py, v[0], v[1], v[2], v[3]) &&
                       !(t >= 0 && InEllipse(px, py, v[0], v[1], v[2] - t, v[3] - t));
            },
            [=](double, double) { return c; });
    }
    else if(keyword == "line") {
        std::vector<double> v = Numbers(words, 5, keyword);
        Pixel c = ParseColour(Word(words, keyword));
        Paint(
            m, [=](double px, double py) { return NearSegment(px, py, v[0], v[1], v[2], v[3], v[4]); },
            [=](double, double) { return c; });
    }
    else if(keyword == "poly") {
        Pixel c = ParseColour(Word(words, keyword));
        std::vector<double> p;
        for(double d; words >> d;)
            p.push_back(d);
        if(p.size() < 6 || p.size() % 2)
            Fail("poly wants three or more points");
        Paint(
            m, [&](double px, double py) { return InPolygon(px, py, p); }, [=](double, double) { return c; });
    }
    else if(keyword == "paste") {
        const ArtImage& o = Earlier(Word(words, keyword));
        std::vector<double> v = Numbers(words, 2, keyword);
        for(int y = 0; y < o.height; y++)
            for(int x = 0; x < o.width; x++) {
                int tx = x + (int)v[0], ty = y + (int)v[1];
                if(tx >= 0 && ty >= 0 && tx < m.width && ty < m.height)
                    Blend(m.pixels[ty * m.width + tx], o.pixels[y * o.width + x], 1);
            }
    }
    else if(keyword == "flip") {
        std::string how = Word(words, keyword);
        if(how != "h" && how != "v")
            Fail("flip wants h or v");
        Transform(m, how);
    }
    else if(keyword == "turn")
        Transform(m, keyword);
    else if(keyword == "grey") {
        // Light and faint: the look of something that cannot be used now.
        for(Pixel& p : m.pixels) {
            double l = 0.3 * p.r + 0.59 * p.g + 0.11 * p.b;
            p.r = p.g = p.b = 128 + l / 2;
            p.a *= 0.6;
        }
    }
    else
        Fail("unknown word " + keyword);
}

bool IsDrawingWord(const std::string& w)
{
    static const char* const words[] = { "fill", "box",  "frame", "vgrad", "hgrad", "ellipse", "ring",
                                         "line", "poly", "clear", "flip",  "turn",  "grey",    "paste" };
    return std::find(std::begin(words), std::end(words), w) != std::end(words);
}

void Row(ArtImage& m, const std::string& text)
{
    if(!m.drawn) {
        if(m.height && m.width != (int)text.size())
            Fail("rows of an image differ in length");
        m.width = (int)text.size();
        m.height++;
        for(char c : text)
            m.pixels.push_back(ParseColour(std::string(1, c)));
        return;
    }
    if(m.at_y >= m.height || m.at_x + (int)text.size() > m.width)
        Fail("row falls outside the canvas");
    for(size_t i = 0; i < text.size(); i++)
        Blend(m.pixels[m.at_y * m.width + m.at_x + (int)i], ParseColour(std::string(1, text[i])), 1);
    m.at_y++;
}

} // namespace

int main(int argc, char** argv)
{
    if(argc != 4) {
        std::cerr << "usage: image_art INPUT.art OUTPUT.cpp SYMBOL\n";
        return 2;
    }
    file = argv[1];
    std::ifstream in(file);
    if(!in)
        Fail("cannot be read");

    std::vector<ArtImage> images;
    int block = 0;
    std::string text;
    while(std::getline(in, text)) {
        line_number++;
        if(text.empty() || text[0] == '#')
            continue;
        std::istringstream words(text);
        std::string keyword;
        words >> keyword;
        if(keyword == "colour") {
            std::string c = Word(words, keyword);
            std::vector<double> v = Numbers(words, 4, keyword);
            if(c.size() != 1)
                Fail("colour wants a character and four numbers");
            colours[c[0]] = Pixel{ v[0], v[1], v[2], v[3] / 255 };
        }
        else if(keyword == "block") {
            if(images.empty() || images.back().block != block)
                Fail("a block needs images before it");
            block++;
        }
        else if(keyword == "image") {
            images.emplace_back();
            images.back().name = Word(words, keyword);
            images.back().block = block;
        }
        else if(images.empty())
            Fail("row outside an image");
        else if(keyword == "hotspot" || keyword == "spot") {
            ArtImage& m = images.back();
            std::vector<double> v = Numbers(words, 2, keyword);
            (keyword == "hotspot" ? m.hotspot_x : m.spot_x) = (int)v[0];
            (keyword == "hotspot" ? m.hotspot_y : m.spot_y) = (int)v[1];
        }
        else if(keyword == "size" || keyword == "copy") {
            ArtImage& m = images.back();
            if(!m.pixels.empty())
                Fail(keyword + " must come first in an image");
            if(keyword == "size") {
                std::vector<double> v = Numbers(words, 2, keyword);
                m.width = (int)v[0];
                m.height = (int)v[1];
                m.pixels.assign(m.width * m.height, Pixel());
            }
            else {
                earlier = images.data();
                earlier_count = (int)images.size() - 1;
                const ArtImage& o = Earlier(Word(words, keyword));
                m.width = o.width;
                m.height = o.height;
                m.pixels = o.pixels;
            }
            m.drawn = true;
        }
        else if(keyword == "at") {
            std::vector<double> v = Numbers(words, 2, keyword);
            images.back().at_x = (int)v[0];
            images.back().at_y = (int)v[1];
        }
        else if(!IsDrawingWord(keyword))
            Row(images.back(), text);
        else {
            earlier = images.data();
            earlier_count = (int)images.size() - 1;
            Draw(images.back(), keyword, words);
        }
    }

    int block_count = block + 1;
    std::vector<std::string> records(block_count);
    std::vector<int> counts(block_count);
    // Records: a reserved byte, width, height, hotspot, second spot, then red, green,
    // blue, alpha per pixel.
    for(const ArtImage& m : images) {
        if(m.pixels.empty())
            Fail("image " + m.name + " has no pixels");
        if(m.width > 65535 || m.height > 65535)
            Fail("image " + m.name + " is too large for 16-bit sizes");
        std::string& out = records[m.block];
        counts[m.block]++;
        out += '\0';
        Put16(out, m.width);
        Put16(out, m.height);
        Put16(out, m.hotspot_x);
        Put16(out, m.hotspot_y);
        Put16(out, m.spot_x);
        Put16(out, m.spot_y);
        auto byte = [](double v) { return (int)std::clamp(std::lround(v), 0L, 255L); };
        for(const Pixel& p : m.pixels) {
            int a = byte(p.a * 255);
            out += (char)Premultiply(byte(p.r), a);
            out += (char)Premultiply(byte(p.g), a);
            out += (char)Premultiply(byte(p.b), a);
            out += (char)a;
        }
    }

    std::ofstream out(argv[2]);
    std::string symbol = argv[3];
    auto block_name = [&](int b) { return block_count == 1 ? symbol : symbol + "_block_" + std::to_string(b); };
    out << "// Generated from " << file << " by tools/image_art; do not edit.\n"
        << "#include \"draw/image_list/image_list.h\"\n";
    std::vector<uLongf> sizes;
    for(int b = 0; b < block_count; b++) {
        uLongf packed_size = compressBound((uLong)records[b].size());
        std::vector<unsigned char> packed(packed_size);
        if(compress2(packed.data(), &packed_size, (const Bytef*)records[b].data(), (uLong)records[b].size(),
                     Z_DEFAULT_COMPRESSION) != Z_OK)
            Fail("compression failed");
        sizes.push_back(packed_size);
        out << "extern const unsigned char " << block_name(b) << "[];\n"
            << "const unsigned char " << block_name(b) << "[] = {";
        for(uLongf i = 0; i < packed_size; i++) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "0x%02x,", packed[i]);
            out << (i % 16 ? "" : "\n") << hex;
        }
        out << "\n};\n";
    }
    if(block_count == 1)
        out << "extern const int " << symbol << "_size;\nconst int " << symbol << "_size = " << sizes[0] << ";\n";
    out << "extern const unsigned char* const " << symbol << "_blocks[];\n"
        << "const unsigned char* const " << symbol << "_blocks[] = {";
    for(int b = 0; b < block_count; b++)
        out << block_name(b) << ", ";
    out << "};\nextern const int " << symbol << "_block_sizes[];\nconst int " << symbol << "_block_sizes[] = {";
    for(uLongf s : sizes)
        out << s << ", ";
    out << "};\nextern const int " << symbol << "_block_counts[];\nconst int " << symbol << "_block_counts[] = {";
    for(int c : counts)
        out << c << ", ";
    out << "};\nextern const int " << symbol << "_block_count;\nconst int " << symbol
        << "_block_count = " << block_count << ";\n"
        << "extern const int " << symbol << "_count;\n"
        << "const int " << symbol << "_count = " << images.size() << ";\n"
        << "extern const char* const " << symbol << "_names[];\n"
        << "const char* const " << symbol << "_names[] = {";
    for(const ArtImage& m : images)
        out << "\n    \"" << m.name << "\",";
    out << "\n};\n"
        << "extern const Qor::ArtImageData " << symbol << "_list;\n"
        << "const Qor::ArtImageData " << symbol << "_list = {" << symbol << "_blocks, " << symbol << "_block_sizes, "
        << symbol << "_block_counts, " << block_count << ", " << symbol << "_names, " << images.size() << "};\n";
    return out ? 0 : 1;
}
