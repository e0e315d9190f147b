// Fuzz target for character-set decoding and UTF-8. The first byte picks a character set;
// the rest is text. Checked: decoded lengths agree with the length functions, valid UTF-8
// encodes back to itself, 8-bit sets round-trip every byte they decode to a mapped
// character, and recoding never fails.
#include "fuzz/fuzz_support.h"
#include "foundation/charset.h"
#include "foundation/charset_utf8.h"
#include "foundation/string.h"
#include "foundation/wstring.h"

#include <cstdint>
#include <cstdlib>

using namespace Qor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if(size == 0 || size > 1 << 14)
        return 0;
    int count = CharsetCount();
    int charset = count > 0 ? data[0] % (count + 2) : 0;
    const char* p = (const char*)data + 1;
    int n = int(size - 1);

    WString w = DecodeUtf8(p, n);
    FuzzCheck(w.GetLength() == Utf8DecodedLength(p, n));
    String back = EncodeUtf8(w);
    FuzzCheck(back.GetLength() == Utf8EncodedLength(w.Begin(), w.GetLength()));
    FuzzCheck(DecodeUtf8(back) == w); // what the decoder made of damage is stable

    WString decoded = DecodeText(p, n, charset);
    String encoded = EncodeText(decoded, charset);
    DecodeText(encoded, charset);
    RecodeText(charset, String(p, n), 255);
    RecodeText(255, String(p, n), charset);
    LowerCaseText(String(p, n), charset);
    CapitalCaseText(String(p, n), charset);
    CapitalizeWords(String(p, n).Begin(), charset);
    CapitalizeWords(decoded);
    for(int i = 0; i < n && i < 64; i++) {
        int c = DecodeChar((byte)p[i], charset);
        EncodeChar(c, charset);
        AsciiBaseChar(c, charset);
    }
    return 0;
}
