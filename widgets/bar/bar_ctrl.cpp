// BarCtrl: the visible bar, its pools, its frame side and the help line of its items.

#include "widgets/bar/bar_ctrl.h"

#include "foundation/callback_action.h"
#include "widgets/static/separator_ctrl.h"

namespace Qor {

Size BarCtrl::SizeCtrl::MinimumSize() const
{
    Ctrl* child = GetFirstChild();
    Size std = child ? child->StandardSize() : Size(8, 8);
    return Size(size.cx > 0 ? size.cx : std.cx, size.cy > 0 ? size.cy : std.cy);
}

BarCtrl::BarCtrl() : separator_style(&SeparatorCtrl::GetDefaultStyle())
{
    SetWantsFocus(false);
    AppendChild(pane);
    pane.FillParent();
    pane.leftClick = MakePteCallback(this, &BarCtrl::RunLeftClick);
}

BarCtrl::~BarCtrl()
{
    help_callback.Clear();
    left_click_callback.Clear();
    pane.ClearEntries();
}

void BarCtrl::RunLeftClick() { left_click_callback(); }

void BarCtrl::AddCtrl(Ctrl* ctrl, int gapsize) { pane.Add(ctrl, gapsize); }

void BarCtrl::AddCtrl(Ctrl* ctrl, Size size)
{
    sizers_used++;
    while(sizers.GetCount() < sizers_used)
        sizers.Add();
    SizeCtrl& s = sizers[sizers_used - 1];
    LogicalPos p = ctrl->GetLogicalPos();
    // An axis the caller left empty hangs the control in the wrapper: INT_MAX stretches it,
    // 0 asks for its standard size, anything else centres it with that size.
    auto axis = [](dword word, int sz) {
        if(!IsLogicalPosEmpty(word))
            return word;
        if(sz == INT32_MAX)
            return LOGPOS_FILL;
        return MakeLogicalPosWord(ALIGN_CENTER, 0, sz ? sz : POS_MINSIZE);
    };
    p.x = axis(p.x, size.cx);
    p.y = axis(p.y, size.cy);
    ctrl->SetLogicalPos(p);
    s.size = size;
    s.AppendChild(*ctrl);
    AddCtrl(&s, BAR_BREAK);
}

void BarCtrl::Separator()
{
    separators_used++;
    while(separators.GetCount() < separators_used)
        separators.Add();
    SeparatorCtrl& s = separators[separators_used - 1];
    s.SetMargins(separator_left_margin, separator_right_margin);
    s.SetStyle(*separator_style);
    s.SetSize(separator_size);
    s.Refresh();
    AddCtrl(&s, BAR_BREAK);
}

void BarCtrl::ClearContent()
{
    pane.ClearEntries();
    separators.Clear();
    sizers.Clear();
    separators_used = 0;
    sizers_used = 0;
}

BarCtrl& BarCtrl::SetAlign(int a)
{
    align = a;
    if(Ctrl* parent = GetParent())
        parent->ResolveLayout(2);
    return *this;
}

BarCtrl& BarCtrl::SetWrap(int w)
{
    wrap = w;
    Layout();
    return *this;
}

void BarCtrl::Layout()
{
    if(!GetParent())
        return;
    bool vertical = IsVerticalBar();
    Size view = GetViewSize();
    int limit = INT32_MAX;
    if((IsInFrameArea() && wrap >= 0) || wrap > 0)
        limit = vertical ? view.cy : view.cx;
    pane.LayOutRows(!vertical, limit);
}

void BarCtrl::FrameLayout(Rect& r)
{
    switch(align) {
    case BAR_LEFT:
        DockCtrlLeft(r, this, pane.LayOutRows(false, r.Height()).cx);
        break;
    case BAR_RIGHT:
        DockCtrlRight(r, this, pane.LayOutRows(false, r.Height()).cx);
        break;
    case BAR_BOTTOM:
        DockCtrlBottom(r, this, pane.LayOutRows(true, r.Width()).cy);
        break;
    default:
        DockCtrlTop(r, this, pane.LayOutRows(true, r.Width()).cy);
        break;
    }
}

void BarCtrl::FrameAddSize(Size& sz)
{
    if(IsVerticalBar())
        sz.cx += pane.GetRowsSize(sz.cy).cx;
    else
        sz.cy += pane.GetRowsSize(sz.cx).cy;
}

void BarCtrl::FrameAdd(Ctrl& parent) { parent.AppendChild(*this); }

void BarCtrl::FrameRemove() { Detach(); }

Value BarCtrl::GetBackgroundLook() const { return Value(INT_NULL); }

namespace {

BarCtrl* FindBar(Ctrl* c)
{
    for(; c; c = c->GetParent())
        if(BarCtrl* bar = dynamic_cast<BarCtrl*>(c))
            return bar;
    return nullptr;
}

} // namespace

void ShowBarHelp(Ctrl* c)
{
    if(!c)
        return;
    String text = c->GetHelpText();
    if(text.IsEmpty())
        return;
    if(BarCtrl* bar = FindBar(c))
        bar->help_callback(text);
}

void ClearBarHelp(Ctrl* c)
{
    if(BarCtrl* bar = FindBar(c))
        bar->help_callback(String());
}

} // namespace Qor
