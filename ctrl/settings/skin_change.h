// The skin change: the one place where every look, style and GUI setting is rebuilt and
// every open window laid out and repainted again.
#pragma once

namespace Qor {

// The standard skin (which puts every registered static back to its default) and the
// host skin (which fills them from the desktop); either may be null.
void SetSkinCallbacks(void (*base)(), void (*host)());
// The base skin alone: a host skin registered earlier stays.
void SetBaseSkin(void (*base)());
// The two skins a skin change runs.
void (*GetBaseSkin())();
void (*GetHostSkin())();
// Runs both skins, measures the layout zoom again, rebuilds the look statics and lays out
// and repaints every open window. A call while one runs (from a skin, the zoom or the
// font-change hook) is ignored.
void ApplySkinChange();

// Start-up: a new standard font runs a skin change, and the control tree reads the zoom
// and the settings it needs through its seams.
void RegisterSkinChange();

} // namespace Qor
