// Sorting an index vector by keys, ties broken by the index.

#include "lists/array/index_sort.h"

namespace Qor {

void IndexSort(int* begin, const Value* keys, int* end, const ValueOrder& order)
{
    SortRange(begin, end, [&](int a, int b) {
        if(order.Less(keys[a], keys[b]))
            return true;
        return a < b && !order.Less(keys[b], keys[a]);
    });
}

} // namespace Qor
