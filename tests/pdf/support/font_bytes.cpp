// Reading, patching and reassembling font files for the PDF tests.
#include "tests/pdf/support/font_bytes.h"

#include "pdf/ttf_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace Qor::test {

std::string LoadFont(const char* name)
{
    std::ifstream in(std::string("/usr/share/fonts/truetype/dejavu/") + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int Read16(const std::string& f, size_t at) { return (byte(f[at]) << 8) | byte(f[at + 1]); }

uint32 Read32(const std::string& f, size_t at) { return (uint32(Read16(f, at)) << 16) | uint32(Read16(f, at + 2)); }

void Put16(std::string& f, size_t at, int v)
{
    f[at] = char(v >> 8);
    f[at + 1] = char(v);
}

void Put32(std::string& f, size_t at, uint32 v)
{
    Put16(f, at, int(v >> 16));
    Put16(f, at + 2, int(v & 0xFFFF));
}

std::string Be16(std::initializer_list<int> values)
{
    std::string s;
    for(int v : values)
        s += { char(v >> 8), char(v) };
    return s;
}

size_t Record(const std::string& f, const char* tag)
{
    for(int i = 0; i < Read16(f, 4); i++)
        if(f.compare(12 + 16 * i, 4, tag) == 0)
            return 12 + 16 * i;
    return std::string::npos;
}

size_t TableAt(const std::string& f, const char* tag) { return Read32(f, Record(f, tag) + 8); }

std::string Assemble(const Tables& tables)
{
    std::string f(12 + 16 * tables.size(), '\0');
    Put32(f, 0, 0x00010000);
    Put16(f, 4, int(tables.size()));
    for(size_t i = 0; i < tables.size(); i++) {
        size_t r = 12 + 16 * i;
        f.replace(r, 4, tables[i].first);
        Put32(f, r + 8, uint32(f.size()));
        Put32(f, r + 12, uint32(tables[i].second.size()));
        f += tables[i].second;
        f.resize((f.size() + 3) & ~size_t(3), '\0');
    }
    return f;
}

Tables Split(const std::string& f)
{
    TTFReader r;
    EXPECT_TRUE(r.Open(ToString(f)));
    Tables t;
    for(int i = 0; i < r.tables.GetCount(); i++) {
        String data = r.GetTable(r.tables.GetKey(i).Begin());
        t.emplace_back(std::string(r.tables.GetKey(i).Begin(), 4), Std(data));
    }
    return t;
}

std::string Replace(const std::string& f, const char* tag, const std::string& data)
{
    Tables t = Split(f);
    for(auto& [name, bytes] : t)
        if(name == tag)
            bytes = data;
    return Assemble(t);
}

} // namespace Qor::test
