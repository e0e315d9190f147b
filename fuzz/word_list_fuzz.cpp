// Fuzz target for the word-list reader over damaged blocks. The input damages a copy of
// the compiled-in block (pairs of position and new byte) and is also cut into entries as
// text. Checked: reading ends, and every entry has a term.
#include "app/word_list.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace Qor;

namespace {

void CheckEntries(const Vector<WordEntry>& entries)
{
    for(const WordEntry& e : entries)
        if(e.term.IsEmpty())
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if(size > 4096)
        return 0;
    const WordListResource& list = CompiledWordList();
    std::vector<unsigned char> block(list.blocks[0], list.blocks[0] + list.lengths[0]);
    // The first byte may cut the block short; then triples of position (2 bytes) and byte.
    int length = (int)block.size();
    size_t i = 0;
    if(size > 0 && data[0] < 64)
        length = length * data[i++] / 64;
    for(; i + 2 < size; i += 3) {
        size_t at = ((size_t)data[i] << 8 | data[i + 1]) % block.size();
        block[at] = data[i + 2];
    }
    const unsigned char* blocks[] = {block.data()};
    WordListResource damaged = {1, &length, blocks};
    CheckEntries(ReadWordList(damaged));
    CheckEntries(ParseWordList(String((const char*)data, (int)size)));
    return 0;
}
