// The layout cache: recently laid-out paragraphs kept for the next paint or query.

#include "richtext/layout/lines_cache_internal.h"

#include "richtext/model/recent_cache_internal.h"

#include <utility>

namespace Qor {

namespace {

int DisplayedCharacters(const ParagraphLines& lines) { return lines.clen; }

using LinesCache = RecentCache<ParagraphLines, DisplayedCharacters>;

} // namespace

bool TakeFromLinesCache(int64 key, int width, ParagraphLines& out)
{
    LinesCache* cache = LinesCache::Get();
    return key != 0 && cache &&
           cache->TakeFirst([&](const ParagraphLines& e) { return e.cache_key == key && e.width == width; },
                            [&](ParagraphLines& e) {
                                out = std::move(e);
                                out.cached = false;
                            });
}

void PutIntoLinesCache(ParagraphLines& lines)
{
    if(LinesCache* cache = LinesCache::Get())
        cache->PutFirst([&](ParagraphLines& e) {
            e = std::move(lines);
            e.cached = true;
        });
}

int GetParagraphLinesCacheCount()
{
    LinesCache* cache = LinesCache::Get();
    return cache ? cache->GetCount() : 0;
}

} // namespace Qor
