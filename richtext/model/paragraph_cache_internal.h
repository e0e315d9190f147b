// The process-wide cache of recently unpacked paragraphs, keyed by the stored paragraph's
// serial, newest first.
#pragma once

#include "richtext/model/paragraph.h"

namespace Qor {

// Hands the parts and format of the entry keyed like p over to p and drops the entry;
// false when there is none.
bool TakeFromParagraphCache(UnpackedParagraph& p);
// Moves p's parts and format into a new entry at the front, then trims the cache.
void PutIntoParagraphCache(UnpackedParagraph& p);
// The number of entries (for tests and diagnostics).
int GetParagraphCacheCount();

} // namespace Qor
