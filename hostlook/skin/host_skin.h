// The host skin: the running GTK theme's colours, font, font rendering settings, images and
// control looks installed into the framework, after the standard skin at every skin change.
#pragma once

#include "foundation/string.h"
#include "foundation/values/color.h"
#include "hostlook/registrations.h"

namespace Qor {

// What a run learns of the desktop and keeps for its later steps (and for the next run's
// readers until then).
struct GtkHostSkinState {
    String theme_name;
    // The theme "Qt", or a KDE session (KDE_FULL_SESSION "true").
    bool qt_like = false;
    // Themes whose header columns take the button looks and whose edge and spin buttons use
    // whole stepper images.
    bool classic_buttons = false;
    Color field_frame_edge;
};

const GtkHostSkinState& GetGtkHostSkinState();
// How many times the host skin has run in this process.
int GetGtkHostSkinRunCount();

void GtkHostSkin();

// Its steps, in the order the run takes them.
void SetGtkSystemColors();
void SetGtkFontSettings();
// Option and check images, the plain, tool-bar, header and OK button looks.
void SetGtkButtonStyles();
// Scroll bars, their arrow buttons, the edge, spin and drop-down buttons; then, outside a
// Qt-like desktop, the slider thumbs and the tab-control style.
void SetGtkScrollBarStyles();
void SetGtkSliderThumbs();
void SetGtkTabCtrlStyle();
// Edit-field edges, the drop-down field styles and the field-frame images.
void SetGtkEditFieldStyles();
void SetGtkMenuStyles();
void SetGtkProgressAndViewEdge();
// Dialog icons and the prompt buttons' images.
void SetGtkIcons();
// Drop-down lists take the frame of list views.
void SetGtkPopUpListFrame();
// The field-frame edge colour the field-frame images are drawn in.
void SetGtkFieldFrameEdge(Color c);

// Start-up: the standard skin and the host skin become the two skins of a skin change.
void RegisterGtkHostSkin();

} // namespace Qor
