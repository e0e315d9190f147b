// The one place where a text too long for any block stops the process.
#include "foundation/text_capacity.h"

#include "foundation/heap_internal.h"

namespace Qor {

int AddTextLength(int length, int64 count)
{
    int64 total = (int64)length + count;
    if(total > TEXT_MAX_LENGTH)
        OutOfMemory(total, 0); // as when the heap refuses the block: there is nothing to give
    return (int)total;
}

} // namespace Qor
