// Hexadecimal encoding and decoding of bytes.
#include "foundation/text_hex.h"

namespace Qor {

String HexEncode(const byte* data, int length, int group, int separator)
{
    if(length <= 0)
        return String();
    static const char digits[] = "0123456789abcdef";
    TextBuffer out;
    out.SetLength(2 * length + (length - 1) / group);
    char* t = out.Begin();
    int in_group = 0;
    for(int i = 0; i < length; i++) {
        if(in_group == group) {
            *t++ = (char)separator;
            in_group = 0;
        }
        *t++ = digits[data[i] >> 4];
        *t++ = digits[data[i] & 15];
        in_group++;
    }
    return String(out);
}

String HexEncode(const String& data, int group)
{
    return HexEncode((const byte*)data.Begin(), data.GetLength(), group, ' ');
}

// Only the sixteen hex digits count here; every other character is a gap.
static int HexNibble(int c)
{
    if(c >= '0' && c <= '9')
        return c - '0';
    if(c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if(c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

String HexDecode(const char* begin, const char* end)
{
    String out;
    out.Reserve(int(end - begin) / 2);
    const char* p = begin;
    for(;;) {
        while(p < end && HexNibble((byte)*p) < 0)
            p++;
        if(p >= end)
            break;
        int high = HexNibble((byte)*p++);
        if(p >= end) // a digit that ends the text has no partner
            break;
        while(p < end && HexNibble((byte)*p) < 0)
            p++;
        if(p >= end) {
            out.AppendChar(high);
            break;
        }
        out.AppendChar(high * 16 + HexNibble((byte)*p++));
    }
    return out;
}

} // namespace Qor
