// Fuzz target for the ini readers. The input is split at 0x01 bytes into
// files /v/0, /v/1 ... held in memory, so that includes (also cyclic and deep
// ones) are followed without touching the disk; /v/0 is read with
// ReadIniLines, the whole input with the sectioned reader.
#include "foundation/cparser.h"
#include "foundation/ini.h"
#include "foundation/mem_stream.h"
#include "foundation/string_stream.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace Qor;

namespace {

const int kMaxFiles = 10;
const uint8_t* file_data[kMaxFiles];
int file_size[kMaxFiles];
int file_count;
int opens;

Stream* OpenVirtual(const char* path)
{
    opens++;
    if(std::strncmp(path, "/v/", 3) || !CParser::IsDigit((uint8_t)path[3]) || path[4])
        return nullptr;
    int i = path[3] - '0';
    return i < file_count ? new MemReadStream(file_data[i], file_size[i]) : nullptr;
}

bool IsIdentifier(const String& s)
{
    if(s.IsEmpty() || !CParser::IsIdStart(s[0]))
        return false;
    for(int i = 1; i < s.GetLength(); i++)
        if(!CParser::IsIdChar(s[i]))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if(size > 1 << 16)
        return 0;
    file_count = 0;
    const uint8_t* start = data;
    const uint8_t* end = data + size;
    while(file_count < kMaxFiles) {
        const uint8_t* cut = (const uint8_t*)std::memchr(start, 1, end - start);
        file_data[file_count] = start;
        file_size[file_count++] = int((cut ? cut : end) - start);
        if(!cut)
            break;
        start = cut + 1;
    }

    opens = 0;
    KeyMap<String, String> map;
    MemReadStream in(file_data[0], file_size[0]);
    ReadIniLines(in, map, "/v/0", OpenVirtual);
    // Each file is read at most once, so each include line opens at most once;
    // an include line holds at least 9 bytes.
    if(opens > (int)size / 9 + 1)
        std::abort();
    for(int i = 0; i < map.GetCount(); i++)
        if(!IsIdentifier(map.GetKey(i)))
            std::abort();

    MemReadStream all(data, (int)size);
    IniSections sections = ReadIniSections(all);
    if(sections.GetCount() < 1 || !sections.GetKey(0).IsEmpty())
        std::abort();
    for(int i = 0; i < sections.GetCount(); i++)
        for(int j = 0; j < sections[i].GetCount(); j++)
            if(IniSectionValue(sections, sections.GetKey(i).Begin(), sections[i].GetKey(j).Begin()) !=
               sections[i][j] && !std::memchr(sections.GetKey(i).Begin(), 0, sections.GetKey(i).GetLength()) &&
               !std::memchr(sections[i].GetKey(j).Begin(), 0, sections[i].GetKey(j).GetLength()))
                std::abort();
    return 0;
}
