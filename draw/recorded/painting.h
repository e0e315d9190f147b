// Painting: a recorded vector painting, a command text with its values and a size in
// doubles.
#pragma once

#include "draw/registrations.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/values/value_array.h"

namespace Qor {

class Painting {
public:
    // The Null Painting: no command, no values, both sizes Null.
    Painting() = default;

    bool IsNullInstance() const { return command.IsEmpty(); }

    String command;
    ValueArray data;
    double cx = DOUBLE_NULL;
    double cy = DOUBLE_NULL;
};

} // namespace Qor
