// The system colours: named colours of faces, texts, selections, edges and menus that
// take a built-in default on first read and that a skin may overwrite.
#pragma once

#include "foundation/values/color.h"

namespace Qor {

// Each getter initialises its colour (and registers it for resets) on first read.
Color SysColorPaper();
Color SysColorFace();
Color SysColorText();
Color SysColorHighlight();
Color SysColorHighlightText();
Color SysColorMenu();
Color SysColorMenuText();
Color SysColorInfo();
Color SysColorInfoText();
Color SysColorDisabled();
Color SysColorLight();
Color SysColorShadow();
// Light yellow on dark paper, blue otherwise, decided when the mark initialises.
Color SysColorMark();
// As SysColorMark, against the menu background.
Color SysColorMenuMark();
// The text colour as it was when the label colour initialised, unless a skin set it.
Color SysColorLabel();

// Setters mark the colour as set by a skin until the next reset.
void SetSysColorPaper(Color c);
void SetSysColorFace(Color c);
void SetSysColorText(Color c);
void SetSysColorHighlight(Color c);
void SetSysColorHighlightText(Color c);
void SetSysColorMenu(Color c);
void SetSysColorMenuText(Color c);
void SetSysColorDisabled(Color c);
void SetSysColorLight(Color c);
void SetSysColorShadow(Color c);
void SetSysColorLabel(Color c);

} // namespace Qor
