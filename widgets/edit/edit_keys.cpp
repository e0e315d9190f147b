// EditField: keys, the context menu and focus changes.

#include "widgets/edit/edit_field.h"

#include "ctrl/clip/clipboard.h"
#include "ctrl/clip/transfer_session.h"
#include "ctrl/focus/focus_routing.h"
#include "ctrl/input/input_host.h"
#include "ctrl/input/mouse_routing.h"
#include "ctrl/topwindow/top_window.h"
#include "draw/font/font_metrics.h"
#include "foundation/callback_action.h"
#include "foundation/values/translate.h"
#include "widgets/bar/bar.h"
#include "widgets/images/ctrl_img.h"
#include "widgets/menu/menu_bar.h"

#include <algorithm>

namespace Qor {

namespace {

constexpr dword KEY_BACKSPACE = 8;
constexpr dword KEY_ENTER = 13;
constexpr dword KEY_SPACE = 32;
constexpr dword KEY_HOME = 0x1FF50;
constexpr dword KEY_LEFT = 0x1FF51;
constexpr dword KEY_RIGHT = 0x1FF53;
constexpr dword KEY_END = 0x1FF57;
constexpr dword KEY_INSERT = 0x1FF63;
constexpr dword KEY_DELETE = 0x1FFFF;
// Ctrl with a letter arrives as the named-key form of the capital letter.
constexpr dword CtrlLetter(char c) { return K_CTRL | 0x10000 | dword(c); }

} // namespace

bool EditField::ProcessKey(dword key, int count)
{
    bool shift = key & K_SHIFT;
    dword plain = key & ~K_SHIFT;
    if(plain == KEY_HOME || plain == KEY_END || plain == KEY_LEFT || plain == KEY_RIGHT ||
       plain == (KEY_LEFT | K_CTRL) || plain == (KEY_RIGHT | K_CTRL)) {
        // Presses folded into a repeat count each move, as typed characters each insert.
        for(int i = 0; i < std::max(count, 1); i++)
            MoveCursor(plain == KEY_HOME              ? 0
                       : plain == KEY_END             ? text.GetLength()
                       : plain == KEY_LEFT            ? cursor - 1
                       : plain == KEY_RIGHT           ? cursor + 1
                       : plain == (KEY_LEFT | K_CTRL) ? GetPrevWordStart(cursor)
                                                      : GetNextWordEnd(cursor),
                       shift);
        return true;
    }
    if(!IsEditable())
        return ScanMenuKey(key);
    return EditKey(key, count);
}

// The four removal keys; always taken.
bool EditField::RemoveKey(dword key, int count)
{
    bool removed = false;
    // Presses folded into a repeat count each remove.
    for(int i = 0; i < std::max(count, 1); i++)
        if(RemoveOnce(key))
            removed = true;
        else
            break;
    if(removed) {
        RunAction();
        UpdateView(true);
    }
    return true;
}

bool EditField::RemoveOnce(dword key)
{
    if(!RemoveSelection()) {
        int n = text.GetLength();
        int from = cursor, to = cursor;
        switch(key) {
        case KEY_BACKSPACE:
        case KEY_BACKSPACE | K_SHIFT:
            from = cursor - 1;
            break;
        case KEY_DELETE:
            to = cursor + 1;
            break;
        case KEY_BACKSPACE | K_CTRL:
            from = GetRunStart(cursor);
            break;
        default:
            to = GetRunEnd(cursor);
            break;
        }
        if(from < 0 || to > n || from == to)
            return false;
        SaveUndo();
        cursor = from;
        RemoveText(from, to - from);
    }
    return true;
}

bool EditField::EditKey(dword key, int count)
{
    switch(key) {
    case KEY_BACKSPACE:
    case KEY_BACKSPACE | K_SHIFT:
    case KEY_DELETE:
    case KEY_BACKSPACE | K_CTRL:
    case KEY_DELETE | K_CTRL:
        return RemoveKey(key, count);
    case KEY_ENTER:
        if(!enter_action || !enter_action.GetAction()->CanRun())
            return false;
        enter_action();
        return true;
    case KEY_SPACE | K_SHIFT:
        key = KEY_SPACE;
        break;
    default:
        break;
    }
    if(key < 32 || key > 0xFFFF)
        return ScanMenuKey(key);
    if(!RemoveSelection())
        SaveUndo();
    for(int i = 0; i < count; i++)
        InsertChar(int(key));
    RunAction();
    return true;
}

bool EditField::ScanMenuKey(dword key)
{
    // The test whether Paste is enabled and the paste itself ask the clipboard's owner as
    // one bounded operation.
    TransferSession paste;
    return Bar::ScanKeys::Scan(menu_builder, key);
}

void EditField::StandardMenu(Bar& bar)
{
    bool editable = IsEditable();
    bool selection = IsSelection();
    bar.AddMenuItem(editable, Translate("Undo"), MakeCallback(this, &EditField::Undo))
        .Key(K_ALT | KEY_BACKSPACE)
        .Key(CtrlLetter('Z'));
    bar.Separator();
    bar.AddMenuItem(editable && selection, Translate("Cut"), CtrlImg::cut(), MakeCallback(this, &EditField::Cut))
        .Key(K_SHIFT | KEY_DELETE)
        .Key(CtrlLetter('X'));
    bar.AddMenuItem(selection, Translate("Copy"), CtrlImg::copy(), MakeCallback(this, &EditField::Copy))
        .Key(K_CTRL | KEY_INSERT)
        .Key(CtrlLetter('C'));
    // Asking another program what it offers may take long; keys other than the paste keys
    // (every key release among them) do not need the answer.
    bool paste_keys = bar.MayUseKey(K_SHIFT | KEY_INSERT) || bar.MayUseKey(CtrlLetter('V'));
    bar.AddMenuItem(editable && paste_keys && IsClipboardTextAvailable(), Translate("Paste"), CtrlImg::paste(),
                    MakeCallback(this, &EditField::Paste))
        .Key(K_SHIFT | KEY_INSERT)
        .Key(CtrlLetter('V'));
    bar.AddMenuItem(editable, Translate("Erase"), CtrlImg::remove(), MakeCallback(this, &EditField::Erase))
        .Key(KEY_DELETE);
    bar.Separator();
    bar.AddMenuItem(!text.IsEmpty(), Translate("Select all"), MakeCallback(this, &EditField::SelectAll))
        .Key(CtrlLetter('A'));
}

void EditField::RightButtonDown(Point, dword)
{
    SetOption(OPT_KEEP_SELECTION, true);
    WeakPointer<Ctrl> alive(this);
    Ctrl* owner = GetFocusTopWindow();
    MenuBar::RunContextMenu(owner ? owner : this, menu_builder, GetPointerPosition());
    if(alive) {
        SetFocus();
        SetOption(OPT_KEEP_SELECTION, false);
    }
}

void EditField::RefreshEdge()
{
    if(GetFrameCount() > 0 && &GetFrame(0) == &edge_frame && style->active_edge)
        RefreshFrame();
}

void EditField::FocusGained()
{
    if(HasOption(OPT_REFORMAT_ON_FOCUS) && IsEditable() && !text.IsEmpty() && idle_convert) {
        Value v = convert->Scan(Value(text));
        if(!IsError(v)) {
            WString t = convert->Format(v).ToWString();
            if(t != text)
                text = t;
        }
    }
    if(!HasOption(OPT_KEEP_SELECTION)) {
        anchor = 0;
        cursor = text.GetLength();
    }
    UpdateView(true);
    RefreshEdge();
}

void EditField::FocusLost()
{
    if(HasOption(OPT_REFORMAT_ON_FOCUS) && IsEditable() && !text.IsEmpty()) {
        Value v = convert->Scan(Value(text));
        if(!IsError(v)) {
            WString t = (idle_convert ? idle_convert : convert)->Format(v).ToWString();
            if(t != text)
                text = t;
        }
    }
    if(!HasOption(OPT_KEEP_SELECTION)) {
        anchor = -1;
        scroll_offset = 0;
        cursor = 0;
    }
    Refresh();
    RefreshEdge();
}

Image EditField::CursorFor(Point, dword) { return GetTextCursor(); }

void EditField::Layout()
{
    Ctrl::Layout();
    scroll_offset = 0;
    UpdateView(true);
}

Size EditField::MinimumSize() const { return GrowByFrames(Size(10, font.GetMetrics().height + 4)); }

} // namespace Qor
