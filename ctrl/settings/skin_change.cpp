// The skin change and the two skin functions it runs.

#include "ctrl/settings/skin_change.h"

#include "ctrl/platform/platform.h"
#include "ctrl/settings/layout_zoom.h"
#include "ctrl/settings/layout_zoom_internal.h"
#include "ctrl/tree/core_seams.h"
#include "ctrl/tree/ctrl_class.h"
#include "draw/look/skin_reset.h"

namespace Qor {

namespace {

void (*base_skin)() = nullptr;
void (*host_skin)() = nullptr;
// Guards against the nested calls through the font-change hook and the zoom measure.
int skin_change_depth = 0;

// Leaves the change even when a skin throws, so that later changes still run.
struct SkinChangeScope {
    SkinChangeScope() { skin_change_depth++; }
    ~SkinChangeScope() { skin_change_depth--; }
};

// Every open window laid out again and repainted whole. A window's layout may close
// another one, so each is held weakly until its turn.
void RelayoutOpenWindows()
{
    Vector<WeakPointer<Ctrl>> windows;
    for(Ctrl* c : GetPlatform().GetTopCtrls())
        windows.Add(WeakPointer<Ctrl>(c));
    for(int i = 0; i < windows.GetCount(); i++) {
        if(Ctrl* c = windows[i])
            c->ResolveLayout(2);
        if(Ctrl* c = windows[i])
            c->RefreshFrame();
    }
}

} // namespace

void SetSkinCallbacks(void (*base)(), void (*host)())
{
    base_skin = base;
    host_skin = host;
}

void SetBaseSkin(void (*base)()) { base_skin = base; }

void (*GetBaseSkin())() { return base_skin; }

void (*GetHostSkin())() { return host_skin; }

void ApplySkinChange()
{
    if(skin_change_depth)
        return;
    SkinChangeScope scope;
    if(base_skin)
        base_skin();
    if(host_skin)
        host_skin();
    // The skins may have changed the standard font.
    InvalidateLayoutZoom();
    EnsureLayoutZoom();
    RebuildThemeStatics();
    RelayoutOpenWindows();
}

} // namespace Qor
