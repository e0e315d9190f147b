// Drawing: a recorded picture, an opcode stream with the size of its coordinate space
// and the operands kept outside the stream.
#pragma once

#include "draw/registrations.h"
#include "foundation/string.h"
#include "foundation/values/size.h"
#include "foundation/values/value_array.h"

namespace Qor {

class Drawing {
public:
    // The Null Drawing: Null size, no data, no values.
    Drawing() : size(INT_NULL, INT_NULL) {}

    bool IsNullInstance() const { return data.IsEmpty(); }
    Size GetSize() const { return size; }

    Size size;
    String data;
    ValueArray values;
};

} // namespace Qor
