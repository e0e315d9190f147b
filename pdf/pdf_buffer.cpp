// PdfBuffer: growing by doubling, so that appending costs amortised constant time.
#include "pdf/pdf_buffer.h"

#include <cstdint>

namespace Qor {

void PdfBuffer::Reserve(int n)
{
    if(n <= capacity)
        return;
    int grown = capacity > INT32_MAX / 2 ? INT32_MAX : 2 * capacity;
    int size = n > grown ? n : grown;
    std::unique_ptr<char[]> bigger(new char[size]);
    if(length)
        std::memcpy(bigger.get(), data.get(), length);
    data = std::move(bigger);
    capacity = size;
}

} // namespace Qor
