// A skin change: every skinnable static goes back to its default, the skins set what they
// want, and the rest is rebuilt from the defaults; and the two darkness flags it computes.
//
// The order of a skin change: the standard skin resets the image lists "CtrlImg" and
// "CtrlsImg", calls ResetThemeStatics and recolours "CtrlsImg" into itself
// (ImageList::SetRecolouredFrom); the host skin then sets colours and looks and adds its
// painter; the window core finally calls RebuildThemeStatics and repaints.
#pragma once

namespace Qor {

// Every registered static back to "not initialised", in registration order; then the
// standard look painter enters the painter chain unless it is there. The chain itself is
// kept, so painters of the host look stay.
void ResetThemeStatics();
// Clears the look-modified flag, runs every registered initialiser (statics a skin set
// keep their values), then computes the darkness flags from the colours.
void RebuildThemeStatics();

// The face colour is dark; false until the first rebuild.
bool IsFaceColorDark();
// Exactly one of the text and label colours is dark; false until the first rebuild.
bool IsDarkTheme();

} // namespace Qor
