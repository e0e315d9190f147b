// Conversions between 8-bit text in any charset and 16-bit text, and between
// two charsets.
#include "foundation/charset.h"

#include "foundation/charset_internal.h"
#include "foundation/charset_registry.h"

namespace Qor {

WString DecodeText(const char* p, int len, int charset)
{
    charset = ResolveCharset(charset);
    if(charset == CHARSET_UTF8)
        return DecodeUtf8(p, len);
    if(!p || len <= 0)
        return WString();
    const uint16* table = CharsetRecordOf(charset).DecodeTable();
    return MakeWStringOf(len, [&](wchar16* t) {
        const byte* s = (const byte*)p;
        for(int i = 0; i < len; i++)
            t[i] = table[s[i]];
    });
}

WString DecodeText(const String& s, int charset) { return DecodeText(s.Begin(), s.GetLength(), charset); }

void EncodeText(char* out, const wchar16* p, int n, int charset, int substitute)
{
    CharsetRecord& r = CharsetRecordOf(charset);
    const byte* const* page = r.Pages();
    for(int i = 0; i < n; i++) {
        int u = p[i];
        int b = u < 0x800 ? page[u >> 7][u & 127] : r.EncodeHigh(u);
        out[i] = char(b == 0x1F ? substitute : b);
    }
}

String EncodeText(const wchar16* p, int n, int charset, int substitute)
{
    charset = ResolveCharset(charset);
    if(charset == CHARSET_UTF8)
        return EncodeUtf8(p, n);
    if(!p || n <= 0)
        return String();
    return MakeStringOf(n, [&](char* t) { EncodeText(t, p, n, charset, substitute); });
}

String EncodeText(const WString& s, int charset, int substitute)
{
    return EncodeText(s.Begin(), s.GetLength(), charset, substitute);
}

String RecodeText(int to, const String& text, int from, int substitute)
{
    to = ResolveCharset(to);
    from = ResolveCharset(from);
    if(to == from)
        return text;
    if(from == CHARSET_UTF8)
        return EncodeText(DecodeUtf8(text), to, substitute);
    if(to == CHARSET_UTF8)
        return EncodeUtf8(DecodeText(text, from));
    const uint16* table = CharsetRecordOf(from).DecodeTable();
    CharsetRecord& target = CharsetRecordOf(to);
    int n = text.GetLength();
    const byte* s = (const byte*)text.Begin();
    return MakeStringOf(n, [&](char* t) {
        for(int i = 0; i < n; i++) {
            int c = target.Encode(table[s[i]]);
            t[i] = char(c == 0x1F ? substitute : c);
        }
    });
}

} // namespace Qor
