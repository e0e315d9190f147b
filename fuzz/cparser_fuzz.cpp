// Fuzz target for the tokenizer: arbitrary bytes are read with every token
// operation in turn until the end of the text, and written back through
// CStringLiteral, which must read back to the same bytes.
#include "foundation/cparser.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace Qor;

namespace {

void Tokenise(const char* text, int options)
{
    CParser p(text);
    p.SetSkipSpaces(!(options & 1));
    p.SetUnicodeEscapes(options & 2);
    if(options & 4)
        p.SetSourceName("fuzz");
    int step = options >> 3;
    while(!p.IsEof()) {
        const char* before = p.GetCurrent();
        try {
            switch(step++ % 14) {
            case 0: p.TakeId(); break;
            case 1: p.TakeInt(); break;
            case 2: p.TakeString(); break;
            case 3: p.TakeString('\'', false); break;
            case 4: p.TakeOneString('\"', false); break;
            case 5: p.TakeOneString('\''); break;
            case 6: p.Char(*before); break;
            case 7: p.ExpectChar(';'); break;
            case 8: p.MatchId("int"); break;
            case 9: p.ExpectId("x"); break;
            case 10: p.SkipSpaces(); break;
            case 11: p.SkipTerm(); break;
            case 12: p.IsChar('/'); p.IsId(); p.IsInt(); p.ThrowError("stop"); break;
            case 13: p.GetColumn(); p.Char(0); break;
            }
        }
        catch(const CParser::Error&) {
        }
        if(p.GetCurrent() < before || p.GetLine() < 1)
            std::abort();
        if(p.GetCurrent() == before)
            p.SkipTerm(); // errors leave the position; step over the token to go on
    }
}

void RoundTrip(const char* data, size_t size, int options)
{
    uint32 flags = options & (CSTRING_BREAK_AT_SPACE | CSTRING_ESCAPE_HIGH);
    // The prefix is a comment, which the reader skips between the joined parts.
    const char* prefix = options & 4 ? "\t/* x */ " : nullptr;
    String literal = CStringLiteral(data, data + size, (options >> 3) & 31, prefix, flags);
    CParser p(literal.Begin());
    String back = p.TakeString();
    if(!p.IsEof())
        std::abort();
    if(back.GetLength() != (int)size || std::memcmp(back.Begin(), data, size) != 0)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if(size < 1 || size > 1 << 16)
        return 0;
    int options = data[0];
    // An exactly sized copy, so that any read past the NUL is caught.
    char* text = (char*)std::malloc(size);
    std::memcpy(text, data + 1, size - 1);
    text[size - 1] = 0;
    Tokenise(text, options);
    RoundTrip(text, size - 1, options);
    std::free(text);
    return 0;
}
