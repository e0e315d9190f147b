// HeaderCtrl: tabs, width layout, frame placement and the stored layout.

#include "lists/header/header_ctrl.h"

#include "foundation/assert.h"
#include "foundation/stream.h"
#include "lists/header/header_store.h"

#include <algorithm>

namespace Qor {

bool CanRunCallback(const Callback& cb)
{
    auto* a = cb.GetAction();
    return a && a->CanRun();
}

HeaderCtrl::Column::Column() { label.horizontal_align = 1; }

void HeaderCtrl::Column::LabelChanged()
{
    if(!owner)
        return;
    if(Ctrl* parent = owner->GetParent())
        parent->ResolveLayout(1);
    owner->Refresh();
    owner->WhenLayout();
    owner->SyncScrollTotal();
}

HeaderCtrl::Column& HeaderCtrl::Column::SetMargin(int m)
{
    if(m != margin) {
        margin = m;
        LabelChanged();
    }
    return *this;
}

HeaderCtrl::Column& HeaderCtrl::Column::SetMinWidth(int cx)
{
    sizing.min_width = cx;
    if(owner)
        owner->distributed_width = -1;
    return *this;
}

HeaderCtrl::Column& HeaderCtrl::Column::SetMaxWidth(int cx)
{
    sizing.max_width = cx;
    if(owner)
        owner->distributed_width = -1;
    return *this;
}

HeaderCtrl::Column& HeaderCtrl::Column::SetFixedWidth(int cx)
{
    SetMinWidth(cx);
    return SetMaxWidth(cx);
}

HeaderCtrl::Column& HeaderCtrl::Column::SetPaper(Color c)
{
    paper = c;
    if(owner)
        owner->Refresh();
    return *this;
}

HeaderCtrl::Column& HeaderCtrl::Column::SetTip(const char* text)
{
    tip = text;
    return *this;
}

HeaderCtrl::HeaderCtrl()
{
    Reset();
    SetWantsFocus(false);
    scroll_bar.SetAutoHide(true);
    scroll_bar.ScrollAction() = MakeCallback(this, &HeaderCtrl::OnBarScroll);
    scroll_bar.VisibilityAction() = MakeCallback(this, &HeaderCtrl::FireScrollVisibility);
    WhenScroll = MakeCallback(this, &HeaderCtrl::FireLayout);
    UseBackBuffer();
}

HeaderCtrl::~HeaderCtrl() = default;

void HeaderCtrl::Reset()
{
    tabs.Clear();
    tab_rects.Clear();
    mode = HEADER_PROPORTIONAL;
    distributed_width = -1;
    flags = byte((flags | TRACKING) & ~(HIDDEN | MOVING_ALLOWED));
    style = &GetDefaultStyle();
    Refresh();
}

HeaderCtrl& HeaderCtrl::SetStyle(const HeaderCtrlStyle& s)
{
    style = &s;
    Refresh();
    return *this;
}

HeaderCtrl::Column& HeaderCtrl::Tab(int i)
{
    QOR_ASSERT(i >= 0);
    while(tabs.GetCount() <= i) {
        Column& c = tabs.Add();
        c.owner = this;
        c.index = tabs.GetCount() - 1;
    }
    return tabs[i];
}

HeaderCtrl::Column& HeaderCtrl::Add(const char* text, double ratio)
{
    distributed_width = -1;
    Column& c = Tab(tabs.GetCount());
    c.sizing.ratio = ratio == 0 ? 1 : ratio;
    c.SetText(text);
    SyncScrollTotal();
    return c;
}

int HeaderCtrl::FindIndex(int index) const
{
    if(index >= 0 && index < tabs.GetCount() && tabs[index].index == index)
        return index;
    for(int i = 0; i < tabs.GetCount(); i++)
        if(tabs[i].index == index)
            return i;
    return -1;
}

void HeaderCtrl::MoveTab(int from, int to)
{
    QOR_ASSERT(from >= 0 && from < tabs.GetCount() && to >= 0 && to <= tabs.GetCount());
    Column* c = tabs.Detach(from);
    tabs.Insert(from < to ? to - 1 : to, c);
    distributed_width = -1;
    Refresh();
    WhenLayout();
}

void HeaderCtrl::SwapTabs(int a, int b)
{
    if(a == b)
        return;
    int lo = std::min(a, b);
    int hi = std::max(a, b);
    Column* h = tabs.Detach(hi);
    Column* l = tabs.Detach(lo);
    tabs.Insert(lo, h);
    tabs.Insert(hi, l);
}

Vector<int> HeaderCtrl::GetVisibleTabs(int from) const { return GetVisibleHeaderTabs(GetSizing(), from); }

HeaderTabList HeaderCtrl::GetSizing() const
{
    HeaderTabList list;
    list.Reserve(tabs.GetCount());
    for(int i = 0; i < tabs.GetCount(); i++)
        list.Add(const_cast<HeaderTabSizing*>(&tabs[i].sizing));
    return list;
}

HeaderCtrl& HeaderCtrl::SetAbsoluteWidths()
{
    mode = HEADER_ABSOLUTE;
    SyncScrollTotal();
    return *this;
}

HeaderCtrl& HeaderCtrl::SetHidden(bool b)
{
    flags = byte(b ? flags | HIDDEN : flags & ~HIDDEN);
    if(IsInFrameArea() && GetParent())
        GetParent()->ResolveLayout(1);
    return *this;
}

HeaderCtrl& HeaderCtrl::AllowTabMoving(bool b)
{
    flags = byte(b ? flags | MOVING_ALLOWED : flags & ~MOVING_ALLOWED);
    return *this;
}

void HeaderCtrl::SyncScrollTotal()
{
    if(mode == HEADER_ABSOLUTE) {
        // A hidden tab takes no room, so it gives nothing to scroll to either.
        double total = 0;
        for(int i = 0; i < tabs.GetCount(); i++)
            if(tabs[i].sizing.visible)
                total += tabs[i].sizing.ratio;
        scroll_bar.SetAutoHide(scroll_auto_hide);
        scroll_bar.SetTotal((int)std::min<double>(total, INT_MAX));
    }
    else {
        scroll_bar.SetAutoHide(true);
        scroll_bar.SetTotal(0);
    }
}

void HeaderCtrl::OnBarScroll()
{
    Refresh();
    WhenScroll();
}

int HeaderCtrl::GetScroll() const { return scroll_bar.GetPosition(); }

void HeaderCtrl::ComputeTabRects() { ComputeHeaderTabRects(GetSizing(), mode, GetViewSize(), tab_rects); }

void HeaderCtrl::UpdateLayout()
{
    int w = GetViewSize().cx;
    if(w == distributed_width && tab_rects.GetCount() == tabs.GetCount())
        return;
    HeaderTabList sizing = GetSizing();
    if(mode == HEADER_ABSOLUTE)
        ClampAbsoluteHeaderWidths(sizing);
    else {
        DistributeHeaderRatios(sizing, GetVisibleHeaderTabs(sizing, 0), 0, w);
        distributed_width = w;
    }
    ComputeTabRects();
}

Rect HeaderCtrl::GetTabRect(int i)
{
    UpdateLayout();
    return tab_rects[i];
}

int HeaderCtrl::GetTabWidth(int i) { return GetTabRect(i).Width(); }

void HeaderCtrl::ResizeTab(int i, int cx)
{
    UpdateLayout();
    if(!ResizeHeaderTab(GetSizing(), mode, tab_rects, i, cx, GetViewSize().cx))
        return;
    if(mode == HEADER_ABSOLUTE)
        SyncScrollTotal();
    ComputeTabRects();
    Refresh();
}

void HeaderCtrl::StartSplitDrag(int i)
{
    split = i;
    press_rect = GetTabRect(i);
    SetCapture();
}

int HeaderCtrl::GetHeight() const
{
    if(IsHidden())
        return 0;
    int cy = 0;
    for(int i = 0; i < tabs.GetCount(); i++)
        cy = std::max(cy, tabs[i].GetLabelSize().cy);
    return cy + 4;
}

void HeaderCtrl::Layout() { scroll_bar.SetPage(GetViewSize().cx); }

void HeaderCtrl::LayOut(Rect& r)
{
    DockCtrlTop(r, this, GetHeight());
    DockCtrlBottom(r, &scroll_bar, scroll_bar.IsVisible() ? scroll_bar.GetStyle().bar_width : 0);
}

void HeaderCtrl::AddSize(Size& sz)
{
    if(!IsHidden())
        sz.cy += GetHeight();
    if(scroll_bar.IsVisibleUpward())
        sz.cy += scroll_bar.GetStyle().bar_width;
}

void HeaderCtrl::AddedTo(Ctrl& parent)
{
    parent.AppendChild(*this);
    parent.AppendChild(scroll_bar);
}

void HeaderCtrl::RemovedFrom()
{
    Detach();
    scroll_bar.Detach();
}

void HeaderCtrl::Serialize(Stream& s)
{
    if(s.IsStoring()) {
        HeaderStoredLayout layout;
        for(int i = 0; i < tabs.GetCount(); i++) {
            const Column& c = tabs[i];
            layout.tabs.Add({ c.index, c.sizing.ratio, c.sizing.visible });
        }
        StoreHeaderLayout(s, layout);
        return;
    }
    HeaderStoredLayout layout;
    if(!LoadHeaderLayout(s, tabs.GetCount(), layout))
        return;
    ApplyStoredLayout(layout);
}

void HeaderCtrl::ApplyStoredLayout(const HeaderStoredLayout& layout)
{
    if(!layout.HasOrder())
        for(int j = 0; j < layout.tabs.GetCount(); j++)
            tabs[j].sizing.ratio = layout.tabs[j].ratio;
    else {
        int k = 0;
        for(const HeaderStoredTab& t : layout.tabs) {
            int pos = FindIndex(t.index);
            if(pos < 0)
                continue;
            tabs[pos].sizing.ratio = t.ratio;
            SwapTabs(pos, k++);
        }
    }
    if(layout.HasVisibility())
        for(int j = 0; j < layout.tabs.GetCount(); j++) {
            HeaderTabSizing& sz = tabs[j].sizing;
            if(sz.visible != layout.tabs[j].visible) {
                sz.visible = layout.tabs[j].visible;
                if(mode == HEADER_PROPORTIONAL)
                    distributed_width = -1;
                Refresh();
                WhenLayout();
            }
        }
    ComputeTabRects();
    Refresh();
    WhenLayout();
}

} // namespace Qor
