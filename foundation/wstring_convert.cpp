// Conversions between WString and 8-bit text in the default charset.
#include "foundation/wstring.h"

#include "foundation/charset.h"
#include "foundation/string.h"

#include <cstring>

namespace Qor {

// The decoded text is copied by the copy rules, so an empty result becomes the
// default WString and a counted block is taken over by its reference count.
void WString::FromDecoded(const WString& decoded) { CopyFrom(decoded); }

WString::WString(const char* text)
{
    if(!text) {
        SetEmpty();
        return;
    }
    FromDecoded(DecodeText(text, (int)std::strlen(text)));
}

WString::WString(const char* text, int length)
{
    if(!text) {
        SetEmpty();
        return;
    }
    FromDecoded(DecodeText(text, length));
}

WString::WString(const String& s) { FromDecoded(DecodeText(s)); }

String WString::ToString() const { return EncodeText(ptr, len, 0, 0x1F); }

String::String(const WString& s) : String(s.ToString()) {}

} // namespace Qor
