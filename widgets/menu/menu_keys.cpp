// Keys in menus: moving between items, closing with Escape, switching pull-downs with the
// arrows, F10 and a lone Alt on a window's menu bar, and the hooks that keep the Alt flag.

#include "widgets/label/label_look.h"
#include "widgets/menu/menu_bar.h"
#include "widgets/menu/menu_internal.h"

#include "ctrl/state/ctrl_hooks.h"
#include "ctrl/tree/global_refs.h"

namespace Qor {

using MenuKeys::FocusCtrl;
using MenuKeys::OwnsFocus;

namespace {

void RefreshPointerCtrlIn(Ctrl& menu)
{
    Ctrl* u = Ctrl::GetCtrlUnderMouse();
    if(u && (u == &menu || menu.IsAncestorOf(u)))
        u->Refresh();
}

// Any key but Alt and its release means Alt was not pressed alone.
bool AltKeyHook(Ctrl*, dword key, int)
{
    if(key != MenuKeys::ALT && key != MenuKeys::ALT_UP)
        MenuBar::AltFlag() = false;
    return false;
}

bool AltStateHook(Ctrl*, int reason)
{
    if(reason == STATE_ACTIVATE)
        MenuBar::AltFlag() = false;
    return false;
}

// Captions on a menu bar stand on the bar's face, as on a window.
bool IsMenuBar(const Ctrl& c) { return dynamic_cast<const MenuBar*>(&c) != nullptr; }

} // namespace

void RegisterMenuHooks()
{
    AddKeyHook(AltKeyHook);
    AddStateHook(AltStateHook);
    AddLabelBackgroundTest(IsMenuBar);
}

bool MenuBar::MoveFocus(bool next)
{
    Ctrl* f = FocusCtrl();
    if(f && pane.IsAncestorOf(f)) {
        if(next ? FocusNextCtrl(f, &pane, false, false, true) : FocusPrevCtrl(f, &pane, false, true))
            return true;
    }
    Ctrl* c = next ? pane.GetFirstChild() : pane.GetLastChild();
    if(!c)
        return false;
    if(c->IsEnabled())
        return c->SetFocus();
    return next ? FocusNextCtrl(c, &pane, false, false, true) : FocusPrevCtrl(c, &pane, false, true);
}

bool MenuBar::SwitchPullDown(dword key)
{
    MenuBar* pm = parent_menu;
    if(!pm || !pm->IsEmbedded() || !pm->sub_menu || !pm->pane.GetFirstChild() || !pm->sub_menu_item)
        return false;
    if(key != MenuKeys::LEFT && key != MenuKeys::RIGHT)
        return false;
    Ctrl* start = pm->sub_menu_item;
    start->Refresh();
    Ctrl* c = start;
    for(;;) {
        if(key == MenuKeys::RIGHT)
            c = c->GetNext() ? c->GetNext() : pm->pane.GetFirstChild();
        else
            c = c->GetPrev() ? c->GetPrev() : pm->pane.GetLastChild();
        if(!c || c == start)
            return false;
        TopSubMenuItem* t = dynamic_cast<TopSubMenuItem*>(c);
        if(t && t->IsItemEnabled()) {
            t->Pull();
            t->Refresh();
            SyncItems();
            return true;
        }
    }
}

bool MenuBar::ProcessKey(dword key, int)
{
    bool popup = !IsEmbedded();
    dword next = popup ? MenuKeys::DOWN : MenuKeys::RIGHT;
    dword prev = popup ? MenuKeys::UP : MenuKeys::LEFT;
    if(key == next || key == prev) {
        RefreshPointerCtrlIn(*this);
        if(MoveFocus(key == next) || !pane.GetFirstChild())
            return true;
    }
    else if(key == MenuKeys::ESCAPE || (key == MenuKeys::LEFT && parent_menu && !parent_menu->IsEmbedded())) {
        RefreshPointerCtrlIn(*this);
        if(parent_menu && parent_menu->sub_menu && parent_menu->sub_menu_item)
            parent_menu->sub_menu_item->SetFocus();
        else if(IsEmbedded() && OwnsFocus(*this)) {
            RestoreFocus();
            animate = true;
            return true;
        }
        if(IsPopup()) {
            CloseAndClear();
            return true;
        }
        animate = true;
    }
    if(SwitchPullDown(key))
        return true;
    return AccessKeyPressed(key);
}

bool MenuBar::AccessKeyPressed(dword key)
{
    if(Ctrl::AccessKeyPressed(key))
        return true;
    if(IsEmbedded()) {
        bool focused = OwnsFocus(*this);
        if((key == MenuKeys::F10 || key == MenuKeys::ALT_UP) && (sub_menu || focused)) {
            CloseMenu();
            RestoreFocus();
            AltFlag() = false;
            return true;
        }
        if(key == MenuKeys::ALT) {
            AltFlag() = true;
            return true;
        }
        if((key == MenuKeys::F10 || (key == MenuKeys::ALT_UP && AltFlag())) && !sub_menu && !focused &&
           IsInActiveWindow()) {
            AltFlag() = false;
            if(!ChainHasFocus())
                restore_focus = FocusCtrl();
            for(Ctrl* c = pane.GetFirstChild(); c; c = c->GetNext())
                if(c->SetFocus())
                    break;
            return true;
        }
    }
    if((key == MenuKeys::LEFT || key == MenuKeys::RIGHT) && parent_menu)
        return parent_menu->ProcessKey(key, 1);
    return false;
}

} // namespace Qor
