// Lorvane's compiled-in word list: bzip2 blocks of "term|meaning" lines.
#pragma once

#include "foundation/string.h"
#include "foundation/vector.h"

// Constant data built into the program; each block is one complete bzip2 stream.
struct WordListResource {
    int block_count;
    const int* lengths;
    const unsigned char* const* blocks;
};

const WordListResource& CompiledWordList();

// One entry as a search sees it: the term in its shown form and the meaning as stored.
struct WordEntry {
    Qor::String term;    // CapitalizeWords of the stored term
    Qor::String meaning; // empty for a term without a meaning
};

// Decompresses block `block` afresh and cuts it into entries, in order: lines at LF
// (empty pieces and white-space-only lines are no entries), fields at "|" (empty
// fields dropped; the first is the term, the second the meaning, the rest ignored).
// Damaged data gives the entries before the damage.
Qor::Vector<WordEntry> ReadWordList(const WordListResource& list, int block = 0);

// The same cutting, from text already decompressed.
Qor::Vector<WordEntry> ParseWordList(const Qor::String& text);

// The lines of block `block`, decompressed afresh and cut at LF with empty pieces dropped;
// blank lines stay, so that a search can count every line.
Qor::Vector<Qor::String> ReadWordListLines(const WordListResource& list, int block = 0);

// One line's fields (cut at "|", empty ones dropped) with the first, the term, in shown
// form; empty for a blank line and for a line of nothing but "|".
Qor::Vector<Qor::String> WordLineFields(const Qor::String& line);
