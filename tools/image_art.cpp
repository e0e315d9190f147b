// Build-time tool: turns a text-art file of images into a compiled-in image list block.
//
//     image_art INPUT.art OUTPUT.cpp SYMBOL
//
// The art file holds, one per line ('#' starts a comment line):
//     colour C R G B A     the character C stands for that colour (straight alpha, 0-255)
//     image NAME           starts an image; its rows of colour characters follow
//     hotspot X Y          (optional, after "image") the hotspot
//     spot X Y             (optional, after "image") the second spot
// Rows of one image must be of equal length. The output defines SYMBOL (the zlib block of
// premultiplied records), SYMBOL_size, SYMBOL_count and SYMBOL_names.
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Pixel {
    int r, g, b, a;
};

struct ArtImage {
    std::string name;
    int hotspot_x = 0, hotspot_y = 0, spot_x = 0, spot_y = 0;
    std::vector<std::string> rows;
};

[[noreturn]] void Fail(const std::string& file, int line, const std::string& text)
{
    std::cerr << file << ":" << line << ": " << text << "\n";
    std::exit(1);
}

void Put16(std::string& out, int v)
{
    out += (char)(v & 255);
    out += (char)((v >> 8) & 255);
}

// (c * e) >> 8 with e = a + (a >> 7): the premultiplication of the drawing layer.
int Premultiply(int c, int a)
{
    return a == 255 ? c : c * (a + (a >> 7)) >> 8;
}

} // namespace

int main(int argc, char** argv)
{
    if(argc != 4) {
        std::cerr << "usage: image_art INPUT.art OUTPUT.cpp SYMBOL\n";
        return 2;
    }
    std::string input = argv[1];
    std::ifstream in(input);
    if(!in)
        Fail(input, 0, "cannot be read");

    std::map<char, Pixel> colours;
    std::vector<ArtImage> images;
    std::string text;
    for(int number = 1; std::getline(in, text); number++) {
        if(text.empty() || text[0] == '#')
            continue;
        std::istringstream words(text);
        std::string keyword;
        words >> keyword;
        if(keyword == "colour") {
            std::string c;
            Pixel p;
            if(!(words >> c >> p.r >> p.g >> p.b >> p.a) || c.size() != 1)
                Fail(input, number, "colour wants a character and four numbers");
            colours[c[0]] = p;
        }
        else if(keyword == "image") {
            images.emplace_back();
            if(!(words >> images.back().name))
                Fail(input, number, "image wants a name");
        }
        else if(keyword == "hotspot" || keyword == "spot") {
            if(images.empty())
                Fail(input, number, keyword + " outside an image");
            ArtImage& m = images.back();
            if(!(keyword == "hotspot" ? words >> m.hotspot_x >> m.hotspot_y : words >> m.spot_x >> m.spot_y))
                Fail(input, number, keyword + " wants two numbers");
        }
        else {
            if(images.empty())
                Fail(input, number, "row outside an image");
            ArtImage& m = images.back();
            if(!m.rows.empty() && m.rows[0].size() != text.size())
                Fail(input, number, "rows of an image differ in length");
            for(char c : text)
                if(!colours.count(c))
                    Fail(input, number, std::string("no colour for '") + c + "'");
            m.rows.push_back(text);
        }
    }

    // Records: a reserved byte, width, height, hotspot, second spot, then red, green,
    // blue, alpha per pixel.
    std::string records;
    for(const ArtImage& m : images) {
        if(m.rows.empty())
            Fail(input, 0, "image " + m.name + " has no rows");
        if(m.rows[0].size() > 65535 || m.rows.size() > 65535)
            Fail(input, 0, "image " + m.name + " is too large for 16-bit sizes");
        records += '\0';
        Put16(records, (int)m.rows[0].size());
        Put16(records, (int)m.rows.size());
        Put16(records, m.hotspot_x);
        Put16(records, m.hotspot_y);
        Put16(records, m.spot_x);
        Put16(records, m.spot_y);
        for(const std::string& row : m.rows)
            for(char c : row) {
                Pixel p = colours[c];
                records += (char)Premultiply(p.r, p.a);
                records += (char)Premultiply(p.g, p.a);
                records += (char)Premultiply(p.b, p.a);
                records += (char)p.a;
            }
    }

    uLongf packed_size = compressBound((uLong)records.size());
    std::vector<unsigned char> packed(packed_size);
    if(compress2(packed.data(), &packed_size, (const Bytef*)records.data(), (uLong)records.size(),
                 Z_DEFAULT_COMPRESSION) != Z_OK)
        Fail(input, 0, "compression failed");

    std::ofstream out(argv[2]);
    std::string symbol = argv[3];
    out << "// Generated from " << input << " by tools/image_art; do not edit.\n"
        << "extern const unsigned char " << symbol << "[];\n"
        << "extern const int " << symbol << "_size;\n"
        << "extern const int " << symbol << "_count;\n"
        << "extern const char* const " << symbol << "_names[];\n"
        << "const unsigned char " << symbol << "[] = {";
    for(uLongf i = 0; i < packed_size; i++) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02x,", packed[i]);
        out << (i % 16 ? "" : "\n") << hex;
    }
    out << "\n};\nconst int " << symbol << "_size = " << packed_size << ";\n"
        << "const int " << symbol << "_count = " << images.size() << ";\n"
        << "const char* const " << symbol << "_names[] = {";
    for(const ArtImage& m : images)
        out << "\n    \"" << m.name << "\",";
    out << "\n};\n";
    return out ? 0 : 1;
}
