// Reading the word list: unpack, cut into lines and fields, bring terms into shown form.
#include "app/word_list.h"

#include "foundation/charset.h"
#include "foundation/compression.h"
#include "foundation/mem_stream.h"
#include "foundation/text_split.h"

using namespace Qor;

extern const unsigned char lorvane_wordlist_bz2[];
extern const int lorvane_wordlist_bz2_size;

const WordListResource& CompiledWordList()
{
    static const unsigned char* const blocks[] = { lorvane_wordlist_bz2 };
    static const int lengths[] = { lorvane_wordlist_bz2_size };
    static const WordListResource list = { 1, lengths, blocks };
    return list;
}

Vector<WordEntry> ParseWordList(const String& text)
{
    Vector<WordEntry> entries;
    for(const String& line : SplitText(text.Begin(), "\n", true)) {
        if(StripOuterSpace(line).IsEmpty())
            continue;
        // A line of nothing but "|" has no field and so no term: skipped like a blank one.
        Vector<String> fields = SplitText(line.Begin(), "|", true);
        if(fields.IsEmpty())
            continue;
        WordEntry& e = entries.Add();
        e.term = CapitalizeWords(fields[0].Begin());
        if(fields.GetCount() > 1)
            e.meaning = fields[1];
    }
    return entries;
}

Vector<WordEntry> ReadWordList(const WordListResource& list, int block)
{
    MemReadStream in(list.blocks[block], list.lengths[block]);
    return ParseWordList(DecompressBzip2(in));
}
