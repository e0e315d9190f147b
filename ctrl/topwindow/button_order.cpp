// The dialog button order, a skinnable setting, and the swap of OK and Cancel it asks for;
// and the run-time type test through which the control tree finds top-level windows.

#include "ctrl/topwindow/top_window.h"

#include "ctrl/tree/core_seams.h"
#include "draw/look/resettable_statics.h"

namespace Qor {

namespace {

struct ButtonOrderSetting {
    byte state = STATIC_UNSET;
    byte registered = 0;
    bool reversed = false;
};

ButtonOrderSetting& Setting()
{
    static ButtonOrderSetting s;
    return s;
}

void InitButtonOrder()
{
    ButtonOrderSetting& s = Setting();
    if(s.state != STATIC_UNSET)
        return;
    s.reversed = false;
    s.state = STATIC_DEFAULT;
}

ButtonOrderSetting& ReadySetting()
{
    ButtonOrderSetting& s = Setting();
    if(s.state == STATIC_UNSET) {
        RegisterResettableStatic(&s.state, &s.registered, InitButtonOrder);
        InitButtonOrder();
    }
    return s;
}

TopWindow* DynamicTopWindow(Ctrl* c) { return dynamic_cast<TopWindow*>(c); }

} // namespace

bool IsButtonOrderReversed() { return ReadySetting().reversed; }

void SetDialogButtonOrder(bool reversed)
{
    ButtonOrderSetting& s = ReadySetting();
    s.state = STATIC_SKINNED;
    MarkLookModified();
    s.reversed = reversed;
}

void ApplyButtonOrder(Ctrl& a, Ctrl& b)
{
    if(!IsButtonOrderReversed())
        return;
    LogicalPos pa = a.GetLogicalPos();
    LogicalPos pb = b.GetLogicalPos();
    if(GetLogicalPosB(pa.x) != GetLogicalPosB(pb.x) || GetLogicalPosB(pa.y) != GetLogicalPosB(pb.y))
        return;
    a.SetLogicalPos(pb);
    b.SetLogicalPos(pa);
}

TopWindow* AsTopWindow(Ctrl* c) { return c ? DynamicTopWindow(c) : nullptr; }

void RegisterTopWindow() { GetCtrlCoreSeams().as_top_window = AsTopWindow; }

} // namespace Qor
