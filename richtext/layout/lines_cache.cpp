// The layout cache: recently laid-out paragraphs kept for the next paint or query.

#include "richtext/layout/lines_cache.h"

#include <utility>

namespace Qor {

namespace {

// Set once the cache is gone at exit: layouts destroyed later are not kept.
bool cache_gone = false;

struct LinesCache {
    OwnedArray<ParagraphLines> entry; // newest first

    ~LinesCache()
    {
        entry.Clear();
        cache_gone = true;
    }
};

LinesCache& Cache()
{
    static LinesCache cache;
    return cache;
}

// Past these the cache drops its older entries.
constexpr int CACHE_CHARACTER_LIMIT = 10000;
constexpr int CACHE_ENTRY_LIMIT = 64;

void TrimCache(OwnedArray<ParagraphLines>& entry)
{
    if(entry.GetCount() <= 1)
        return;
    // Every other entry is counted, so that the limit is reached after about twice the text.
    int total = 0;
    for(int i = 1; i < entry.GetCount(); i += 2) {
        total += entry[i].clen;
        if(total > CACHE_CHARACTER_LIMIT || i > CACHE_ENTRY_LIMIT) {
            entry.Trim(i);
            return;
        }
    }
}

} // namespace

bool TakeFromLinesCache(int64 key, int width, ParagraphLines& out)
{
    if(cache_gone || key == 0)
        return false;
    LinesCache& cache = Cache();
    for(int i = 0; i < cache.entry.GetCount(); i++) {
        ParagraphLines& e = cache.entry[i];
        if(e.cache_key == key && e.width == width) {
            out = std::move(e);
            out.cached = false;
            cache.entry.Remove(i);
            return true;
        }
    }
    return false;
}

void PutIntoLinesCache(ParagraphLines& lines)
{
    if(cache_gone)
        return;
    LinesCache& cache = Cache();
    ParagraphLines& e = cache.entry.Insert(0);
    e = std::move(lines);
    e.cached = true;
    TrimCache(cache.entry);
}

int GetParagraphLinesCacheCount() { return cache_gone ? 0 : Cache().entry.GetCount(); }

} // namespace Qor
