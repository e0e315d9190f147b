// Skinnable settings of frames and frame-like parts: each starts at its default, a skin
// change puts the default back, and a setter marks the looks modified.
#pragma once

#include "foundation/values/color.h"
#include "foundation/values/value.h"

namespace Qor {

// Added twice to the base minimum height of a control.
int GetCtrlMinHeightMargin();
void SetCtrlMinHeightMargin(int m);
int GetStdScrollBarWidth();
void SetStdScrollBarWidth(int cx);
// The scroll-bar width unless set.
int GetStdScrollArrowSize();
void SetStdScrollArrowSize(int cx);
Color GetFieldFrameEdgeColor();
void SetFieldFrameEdgeColor(Color c);
Value GetMenuBarFrameLook();
void SetMenuBarFrameLook(const Value& v);
Value GetToolBarFrameLook();
void SetToolBarFrameLook(const Value& v);

} // namespace Qor
