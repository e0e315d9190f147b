// The display state the font and image code draws on.

#include "ctrl/x11/font/display_link_internal.h"

namespace Qor {

Display*& LinkedDisplay()
{
    static Display* d = nullptr;
    return d;
}

} // namespace Qor
