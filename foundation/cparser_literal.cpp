// CStringLiteral: a text written as a C string literal that CParser reads back
// byte for byte, wrapped into several joined literals when lines grow long.
#include "foundation/cparser.h"

namespace Qor {

namespace {

void AppendEscaped(String& out, int c, uint32 flags)
{
    if(flags & CSTRING_HEX_ESCAPES) {
        static const char hex[] = "0123456789ABCDEF";
        char s[6] = { '\\', 'u', '0', '0', hex[c >> 4], hex[c & 15] };
        out.Append(s, 6);
    }
    else {
        char s[4] = { '\\', char('0' + (c >> 6)), char('0' + ((c >> 3) & 7)), char('0' + (c & 7)) };
        out.Append(s, 4);
    }
}

} // namespace

String CStringLiteral(const char* begin, const char* end, int line_length, const char* line_prefix,
                      uint32 flags)
{
    String out;
    out.AppendChar('\"');
    int line_begin = 0; // where the current output line starts in out
    int previous = -1;
    for(const char* s = begin; s < end; s++) {
        if(out.GetLength() - line_begin > line_length &&
           (!(flags & CSTRING_BREAK_AT_SPACE) || previous == ' ' || previous == '\n')) {
            out.Append("\"\r\n");
            line_begin = out.GetLength();
            if(line_prefix)
                out.Append(line_prefix);
            out.AppendChar('\"');
        }
        int c = (byte)*s;
        previous = c;
        switch(c) {
        case 7: out.Append("\\a", 2); continue;
        case 8: out.Append("\\b", 2); continue;
        case 9: out.Append("\\t", 2); continue;
        case 10: out.Append("\\n", 2); continue;
        case 11: out.Append("\\v", 2); continue;
        case 12: out.Append("\\f", 2); continue;
        case 13: out.Append("\\r", 2); continue;
        case '\"': out.Append("\\\"", 2); continue;
        case '\\': out.Append("\\\\", 2); continue;
        }
        if(c < 32 || c == 127 || c == 255 || (c >= 128 && (flags & CSTRING_ESCAPE_HIGH)))
            AppendEscaped(out, c, flags);
        else
            out.AppendChar(c);
    }
    out.AppendChar('\"');
    return out;
}

String CStringLiteral(const String& text, int line_length, const char* line_prefix, uint32 flags)
{
    return CStringLiteral(text.Begin(), text.End(), line_length, line_prefix, flags);
}

} // namespace Qor
