// What the controls draw around their captions: the label text colour by background, the
// greyed image of a disabled caption and the dotted focus rectangle.
#pragma once

#include "draw/image/image.h"
#include "foundation/values/color.h"
#include "foundation/values/rect.h"

namespace Qor {

class Ctrl;
class Draw;

// SysColorLabel for text on a window or bar background, SysColorText on anything else
// (fields, lists), looking past transparent controls; the two only differ when one of the
// colours is dark and the other light. A null ctrl gives SysColorLabel.
Color GetLabelTextColor(const Ctrl* ctrl);
// Bars and tab controls live in other libraries: each adds a test answering whether a
// control is one of its backgrounds that take the label colour. Called at start-up.
using LabelBackgroundTest = bool (*)(const Ctrl& c);
void AddLabelBackgroundTest(LabelBackgroundTest test);

// image, or its greyed form (made once per image) when disabled.
Image StateImage(const Image& image, bool disabled);
// Grey at a third of the opacity: the disabled look from look style level 2 on.
Image FadedDisabledImage(const Image& image);

// The dotted rectangle of a focused caption, in c.
void DrawFocusFrame(Draw& w, int x, int y, int cx, int cy, Color c);
inline void DrawFocusFrame(Draw& w, const Rect& r, Color c)
{
    DrawFocusFrame(w, r.left, r.top, r.Width(), r.Height(), c);
}

} // namespace Qor
