// Texts of numbers remembered by their bits, as a page's coordinates, widths and text
// advances repeat from object to object and page to page, and colour channel texts.
#include "pdf/pdf_out_internal.h"

#include "foundation/values/format.h"

#include <cstring>

namespace Qor {

namespace {

constexpr int CACHE_BITS = 12;

struct NumberEntry {
    uint64 bits = 0; // positive zero, whose text both forms give as "0"
    String text = "0";
};

template <String (*make)(double)>
String CachedText(double x)
{
    static thread_local NumberEntry cache[1 << CACHE_BITS];
    uint64 bits;
    std::memcpy(&bits, &x, sizeof(bits));
    NumberEntry& e = cache[(bits * 0x9E3779B97F4A7C15ull) >> (64 - CACHE_BITS)];
    if(e.bits != bits) {
        e.text = make(x);
        e.bits = bits;
    }
    return e.text;
}

String FixedText2(double x) { return DoubleToFixedText(2, 0, x); }

} // namespace

String PdfNumberText(double x) { return CachedText<DoubleToText>(x); }

String PdfFixed2Text(double x) { return CachedText<FixedText2>(x); }

const String& PdfChannelText(int v)
{
    static const String* texts = [] {
        static String t[256];
        for(int i = 0; i < 256; i++)
            t[i] = Format("%3nf", i / 255.0);
        return t;
    }();
    return texts[v & 255];
}

} // namespace Qor
