// The standard skin: the base skin function of every skin change. It drops images that an
// earlier skin replaced, sends every skinnable static back to its default and recolours the
// control looks to the current system colours.
#pragma once

namespace Qor {

// Resets "CtrlImg" and "CtrlsImg" (lists not registered are passed over), resets the look
// statics, sets the look style level to 2 and recolours "CtrlsImg" into itself.
void StandardSkin();

// Installs the standard skin as the base skin of a skin change; a host skin registered
// before (the start-up order of libraries is not fixed) stays.
void RegisterStandardSkin();

} // namespace Qor
