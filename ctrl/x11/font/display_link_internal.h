// The display connection the font and image code draws on, read through one place.
#pragma once

typedef struct _XDisplay Display;

namespace Qor {

// The process's connection; null while none is open.
Display*& LinkedDisplay();

} // namespace Qor
