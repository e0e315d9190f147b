// The process-wide cache of recent paragraph layouts, newest first, keyed by the stored
// paragraph's serial and the layout width.
#pragma once

#include "richtext/layout/paragraph_lines.h"

namespace Qor {

// Moves the entry with that key and width into out and drops its slot; false when none.
bool TakeFromLinesCache(int64 key, int width, ParagraphLines& out);
// Moves the record into a new entry at the front, then trims the cache.
void PutIntoLinesCache(ParagraphLines& lines);

} // namespace Qor
