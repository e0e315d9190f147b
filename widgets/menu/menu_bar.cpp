// MenuBar: items, the chain of open menus, closing, focus and painting.

#include "widgets/menu/menu_bar.h"
#include "widgets/menu/menu_internal.h"

#include "ctrl/tree/global_refs.h"
#include "ctrl/window_ops/window_ops.h"
#include "draw/look/look.h"
#include "foundation/callback_action.h"

namespace Qor {

using MenuKeys::FocusCtrl;
using MenuKeys::OwnsFocus;

namespace {

// Closes m and every sub-menu it has open, the innermost first.
void CloseSubChain(MenuBar* m)
{
    if(MenuBar* sm = m->GetOpenSubMenu()) {
        m->SetSubMenu(nullptr, nullptr);
        (void)sm;
    }
    m->animate = true;
    m->Close();
}

} // namespace

MenuBar::MenuBar() : font(GetStandardFontReference()), style(&GetDefaultStyle())
{
    separator_left_margin = style->separator_left_margin;
    separator_right_margin = style->separator_right_margin;
    separator_style = &style->separator;
}

MenuBar::~MenuBar()
{
    lock++;
    if(MenuBar* pm = parent_menu)
        if(pm->sub_menu == this) {
            pm->sub_menu = nullptr;
            Close();
            pm->sub_menu_close_callback();
            if(Ctrl* item = pm->sub_menu_item)
                item->Refresh();
            pm->sub_menu_item = nullptr;
        }
    if(sub_menu)
        sub_menu->parent_menu = nullptr;
    sub_menu_open_callback.Clear();
    sub_menu_close_callback.Clear();
    restore_focus = nullptr;
    // The pane forgets the items before they go.
    ClearContent();
    items.Clear();
}

MenuBar& MenuBar::GetOutermost()
{
    MenuBar* m = this;
    while(m->parent_menu)
        m = m->parent_menu;
    return *m;
}

MenuBar& MenuBar::GetInnermost()
{
    MenuBar* m = this;
    while(m->sub_menu)
        m = m->sub_menu;
    return *m;
}

bool MenuBar::ChainHasFocus()
{
    for(MenuBar* m = &GetOutermost(); m; m = m->sub_menu)
        if(OwnsFocus(*m))
            return true;
    return false;
}

void MenuBar::SaveFocusForChain()
{
    if(!ChainHasFocus())
        restore_focus = FocusCtrl();
}

void MenuBar::RestoreFocus()
{
    if(Ctrl* c = restore_focus.Get())
        c->SetFocus();
}

int MenuBar::GetIconColumnWidth() const
{
    return IsNullInt(icon_column_width) ? style->icon_column_width : icon_column_width;
}

Size MenuBar::GetMaxIconSize() const { return IsNullInt(max_icon_size.cx) ? style->max_icon_size : max_icon_size; }

MenuBar& MenuBar::SetIconColumnWidth(int cx)
{
    icon_column_width = cx;
    return *this;
}

MenuBar& MenuBar::SetMaxIconSize(Size sz)
{
    max_icon_size = sz;
    return *this;
}

MenuBar& MenuBar::SetFont(Font f)
{
    font = f;
    return *this;
}

MenuBar& MenuBar::SetAreaLookMode(int mode)
{
    area_look_mode = mode;
    Refresh();
    return *this;
}

MenuItemBase& MenuBar::SetupItem(MenuItemBase* item, Callback action)
{
    items.Add(item);
    pane.Add(item, BAR_BREAK);
    item->font = font;
    item->icon_column_width = GetIconColumnWidth();
    item->text_gap = style->text_gap;
    item->style = style;
    item->max_icon_size = GetMaxIconSize();
    // The chain closes before the action runs, so a context menu's loop ends with it.
    Callback chain = MakePteCallback(this, &MenuBar::CloseMenu);
    chain.Chain(action);
    item->SetAction(chain);
    return *item;
}

Bar::Item& MenuBar::AddItem(Callback action)
{
    MenuItemBase* item = IsEmbedded() ? static_cast<MenuItemBase*>(new TopMenuItem) : new MenuItem;
    return SetupItem(item, std::move(action));
}

Bar::Item& MenuBar::AddSubMenu(Callback1<Bar&> proc)
{
    MenuItemBase* item;
    SubMenuBase* sub;
    if(IsEmbedded()) {
        TopSubMenuItem* t = new TopSubMenuItem;
        item = t;
        sub = t;
    }
    else {
        SubMenuItem* s = new SubMenuItem;
        item = s;
        sub = s;
    }
    SetupItem(item, Callback());
    // A sub-menu item opens its sub-menu; it has no action of its own to run.
    item->SetAction(Callback());
    sub->parent_menu = this;
    sub->GetSubMenu().SetMaxIconSize(GetMaxIconSize());
    sub->proc = std::move(proc);
    return *item;
}

Value MenuBar::GetBackgroundLook() const
{
    return IsEmbedded() && !parent_menu ? style->top_bar_look : Value(INT_NULL);
}

MenuBar& MenuBar::SetStyle(const MenuBarStyle& s)
{
    style = &s;
    separator_left_margin = s.separator_left_margin;
    separator_right_margin = s.separator_right_margin;
    separator_style = &s.separator;
    Layout();
    Refresh();
    return *this;
}

void MenuBar::Clear()
{
    if(lock)
        return;
    lock++;
    if(sub_menu)
        SetSubMenu(nullptr, nullptr);
    ClearContent();
    items.Clear();
    lock--;
}

void MenuBar::SetSubMenu(MenuBar* sm, Ctrl* item)
{
    if(sub_menu && sub_menu != sm) {
        MenuBar* old = sub_menu;
        sub_menu = nullptr;
        CloseSubChain(old);
        sub_menu_close_callback();
        old->parent_menu = nullptr;
    }
    if(sub_menu_item)
        sub_menu_item->Refresh();
    sub_menu = sm;
    sub_menu_item = item;
}

void MenuBar::SyncItems()
{
    if(lock)
        return;
    for(MenuItemBase& item : items)
        item.SyncState();
}

void MenuBar::CloseMenu()
{
    bool chain_focus = ChainHasFocus();
    MenuBar* m = &GetInnermost();
    while(m) {
        MenuBar* parent = m->parent_menu;
        if(!m->IsPopup()) {
            m->sub_menu = nullptr;
            m->sub_menu_item = nullptr;
            // The focus the chain held goes back to where it was before the bar took it.
            if(m->IsEmbedded() && chain_focus)
                m->RestoreFocus();
            for(MenuBar* q = m; q; q = q->parent_menu) {
                q->animate = true;
                q->SyncItems();
            }
            return;
        }
        if(m->IsOpen()) {
            m->animate = true;
            m->Close();
            if(parent)
                parent->sub_menu_close_callback();
        }
        m->sub_menu = nullptr;
        m->parent_menu = nullptr;
        if(parent && parent->sub_menu == m) {
            if(Ctrl* item = parent->sub_menu_item)
                item->Refresh();
            parent->sub_menu_item = nullptr;
        }
        m = parent;
    }
}

void MenuBar::CloseAndClear()
{
    Close();
    if(MenuBar* pm = parent_menu) {
        pm->sub_menu_close_callback();
        if(pm->sub_menu == this) {
            pm->sub_menu = nullptr;
            if(Ctrl* item = pm->sub_menu_item)
                item->Refresh();
            pm->sub_menu_item = nullptr;
        }
    }
    parent_menu = nullptr;
    Clear();
}

void MenuBar::WindowDeactivated()
{
    if(IsInOpenWindow())
        ScheduleTimer(0, MakePteCallback(this, &MenuBar::DeactivationCheck), 1);
}

void MenuBar::DeactivationCheck()
{
    MenuBar& inner = GetInnermost();
    for(MenuBar* m = &inner; m && m->IsPopup(); m = m->parent_menu)
        if(m->IsInOpenWindow() && OwnsFocus(*m))
            return;
    if(inner.IsPopup()) {
        MenuBar* outer = &inner;
        while(outer->parent_menu && outer->parent_menu->IsPopup())
            outer = outer->parent_menu;
        // Focus in a window the menu owns (a dialog its action opened) keeps the menu.
        if(Ctrl* f = FocusCtrl())
            for(Ctrl* c = f->GetRootCtrl(); c; c = c->GetOwnerCtrl())
                if(c == outer)
                    return;
    }
    CloseMenu();
}

void MenuBar::ChildFocusGained()
{
    // The pointer moved back into this menu: its open sub-menu goes after a moment.
    if(sub_menu && sub_menu_item && !sub_menu_item->HasFocus() && !HasTimer(0) && sub_menu->IsInOpenWindow())
        sub_menu->ScheduleTimer(400, MakePteCallback(sub_menu, &MenuBar::CloseAndClear), 2);
    CancelTimer(2);
    CancelTimer(1);
    SyncItems();
}

void MenuBar::ChildFocusLost() { SyncItems(); }

void MenuBar::LeftButtonDown(Point, dword)
{
    if(IsEmbedded() && OwnsFocus(*this))
        RestoreFocus();
    left_click_callback();
}

void MenuBar::Paint(Draw& w)
{
    if(IsTransparent())
        return;
    if(!IsEmbedded()) {
        pane.PaintBar(w, style->row_separator, style->popup_body, style->popup_icon_column, GetIconColumnWidth());
        return;
    }
    bool area = !style->area_look.IsNull() && (area_look_mode > 0 || (area_look_mode < 0 && IsInFrameArea()));
    if(area) {
        PaintLook(w, Rect(GetViewSize()), style->area_look);
        pane.PaintBar(w, style->row_separator, Value(), Value(), 0);
        return;
    }
    pane.PaintBar(w, style->row_separator, style->look, Value(), 0);
}

void MenuBar::RunContextMenu(Ctrl* owner, Callback1<Bar&> proc, Point p)
{
    MenuBar menu;
    proc(menu);
    menu.Execute(owner, p);
}

void MenuBar::Execute(Ctrl* owner, Point p)
{
    if(IsEmpty())
        return;
    Vector<Ctrl*>& owners = OpenMenuOwners();
    for(Ctrl* c : owners)
        if(c == owner)
            return;
    int n = owners.GetCount();
    owners.Add(owner);
    PlacePopup(owner, p, Size(0, 0));
    EventLoopCall(this);
    SetInLoop(false);
    CloseMenu();
    owners.Trim(n);
}

bool& MenuBar::AltFlag()
{
    static bool alt;
    return alt;
}

Vector<Ctrl*>& MenuBar::OpenMenuOwners()
{
    static Vector<Ctrl*> owners;
    return owners;
}

} // namespace Qor
