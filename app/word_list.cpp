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

Vector<String> WordLineFields(const String& line)
{
    if(StripOuterSpace(line).IsEmpty())
        return {};
    // A line of nothing but "|" has no field and so no term: it comes back empty like a blank one.
    Vector<String> fields = SplitText(line.Begin(), "|", true);
    if(!fields.IsEmpty())
        fields[0] = CapitalizeWords(fields[0].Begin());
    return fields;
}

Vector<WordEntry> ParseWordList(const String& text)
{
    Vector<WordEntry> entries;
    for(const String& line : SplitText(text.Begin(), "\n", true)) {
        Vector<String> fields = WordLineFields(line);
        if(fields.IsEmpty())
            continue;
        WordEntry& e = entries.Add();
        e.term = fields[0];
        if(fields.GetCount() > 1)
            e.meaning = fields[1];
    }
    return entries;
}

Vector<String> ReadWordListLines(const WordListResource& list, int block)
{
    MemReadStream in(list.blocks[block], list.lengths[block]);
    return SplitText(DecompressBzip2(in).Begin(), "\n", true);
}

Vector<WordEntry> ReadWordList(const WordListResource& list, int block)
{
    MemReadStream in(list.blocks[block], list.lengths[block]);
    return ParseWordList(DecompressBzip2(in));
}
