// Reset and rebuild of the skinnable statics and the darkness flags.

#include "draw/look/skin_reset.h"

#include "draw/look/resettable_statics.h"
#include "draw/look/standard_look_painter.h"
#include "draw/look/sys_colors.h"

namespace Qor {

namespace {

bool face_dark = false;
bool dark_theme = false;

} // namespace

void ResetThemeStatics()
{
    for(const ResettableStatic& s : GetResettableStatics())
        *s.state = STATIC_UNSET;
    AddLookPainter(StandardLookPainter);
}

void RebuildThemeStatics()
{
    ClearLookModified();
    // By index: an initialiser that reads another static for the first time registers it.
    const Vector<ResettableStatic>& statics = GetResettableStatics();
    for(int i = 0; i < statics.GetCount(); i++)
        statics[i].init();
    face_dark = IsDarkColor(SysColorFace());
    dark_theme = IsDarkColor(SysColorText()) != IsDarkColor(SysColorLabel());
}

bool IsFaceColorDark() { return face_dark; }

bool IsDarkTheme() { return dark_theme; }

} // namespace Qor
