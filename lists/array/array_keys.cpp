// ArrayCtrl's keys: type-ahead search, cursor movement with Shift extending the selection,
// Enter and Esc, and for every other key the row menu's bindings.

#include "lists/array/array_ctrl.h"

#include "ctrl/input/mouse_routing.h"
#include "foundation/values/convert.h"
#include "widgets/bar/bar.h"

#include <algorithm>
#include <cstdlib>

namespace Qor {

namespace {

constexpr dword KEY_ENTER = 13;
constexpr dword KEY_ESCAPE = 27;
constexpr dword KEY_HOME = 0x1FF50;
constexpr dword KEY_UP = 0x1FF52;
constexpr dword KEY_DOWN = 0x1FF54;
constexpr dword KEY_PAGEUP = 0x1FF55;
constexpr dword KEY_PAGEDOWN = 0x1FF56;
constexpr dword KEY_END = 0x1FF57;
constexpr dword CTRL = K_CTRL;
constexpr dword SHIFT = K_SHIFT;
// Letters with Ctrl arrive as their upper-case keysym plus 0x10000.
constexpr dword KEY_CTRL_A = CTRL | 0x10000 | 'A';

// Whether a filter matches the first character of a value's text to the typed one.
bool FilterMatches(int (*filter)(int), dword key, const Value& v)
{
    int typed = filter(int(key));
    if(typed == 0)
        return false;
    String text = FormatValue(v);
    return typed == filter(int(static_cast<signed char>(text.IsEmpty() ? 0 : text[0])));
}

} // namespace

bool ArrayCtrl::AppendingAllowed() const
{
    return HasOption(INSERTING_ALLOWED) || HasOption(APPENDING_ALLOWED) || HasOption(AUTO_APPEND);
}

bool ArrayCtrl::MatchKeyAtRow(int row, dword key)
{
    bool match = false;
    for(int c = 0; c < columns.GetCount() && !match; c++)
        if(auto filter = columns[c].GetKeyFilter())
            match = FilterMatches(filter, key, GetColumnValue(row, c));
    for(int i = 0; i < index_info.GetCount() && !match; i++)
        if(auto filter = index_info[i].key_filter)
            match = FilterMatches(filter, key, Get(row, i));
    if(match)
        SetCursor(row, true);
    return match;
}

void ArrayCtrl::ExtendSelectionByKey(int from, dword key)
{
    // The cursor move itself selected the cursor row and made it the anchor.
    if(!HasOption(MULTI_SELECT) || cursor < 0 || !(key & K_SHIFT) || from < 0)
        return;
    ClearSelection();
    SelectRange(std::min(from, cursor), std::abs(from - cursor) + 1, true);
    anchor = from;
}

void ArrayCtrl::MovePage(int dir)
{
    int step = default_row_height + Grid();
    int page = std::max(GetViewSize().cy - step, step);
    if(cursor < 0) {
        if(dir > 0)
            sb.NextPage();
        else
            sb.PrevPage();
        return;
    }
    int n = GetCount();
    int target = cursor + dir * page / step;
    while(target >= 0 && target < n && !IsRowEnabled(target))
        target += dir > 0 ? 1 : -1;
    if(target < 0 || target >= n)
        return;
    int distance = std::max(GetLineY(cursor) - GetScrollPos(), 0);
    if(SetCursor(target, true))
        sb.SetPosition(GetLineY(target) - distance);
}

bool ArrayCtrl::ProcessKey(dword key, int)
{
    if(!IsEditable())
        return false;
    bool editing = HasOption(EDITING);
    int from = anchor;
    if(!editing && key >= 33 && key <= 255) {
        bool filtered = false;
        for(int c = 0; c < columns.GetCount() && !filtered; c++)
            filtered = columns[c].GetKeyFilter() != nullptr;
        if(filtered) {
            int start = cursor + 1;
            int stored = rows.GetCount();
            for(int row = start; row < stored; row++)
                if(MatchKeyAtRow(row, key))
                    return true;
            for(int row = 0; row < std::min(start, stored); row++)
                if(MatchKeyAtRow(row, key))
                    return true;
            return true;
        }
    }
    int last = GetCount() - 1;
    if(!editing)
        switch(key) {
        case KEY_HOME:
        case CTRL | KEY_HOME:
        case CTRL | KEY_PAGEUP:
        case SHIFT | KEY_HOME:
        case CTRL | SHIFT | KEY_HOME:
        case CTRL | SHIFT | KEY_PAGEUP:
            GoBegin();
            ExtendSelectionByKey(from, key);
            return true;
        case KEY_END:
        case CTRL | KEY_END:
        case CTRL | KEY_PAGEDOWN:
        case SHIFT | KEY_END:
        case CTRL | SHIFT | KEY_END:
        case CTRL | SHIFT | KEY_PAGEDOWN:
            GoEnd();
            ExtendSelectionByKey(from, key);
            return true;
        case KEY_PAGEUP:
        case SHIFT | KEY_PAGEUP:
            MovePage(-1);
            ExtendSelectionByKey(from, key);
            return true;
        case KEY_PAGEDOWN:
        case SHIFT | KEY_PAGEDOWN:
            if(AppendingAllowed() && HasOption(APPEND_LINE) && cursor >= 0 && cursor == last)
                ClearCursor();
            else {
                MovePage(1);
                ExtendSelectionByKey(from, key);
            }
            return true;
        case KEY_CTRL_A:
            if(HasOption(MULTI_SELECT)) {
                GoEnd();
                anchor = 0;
                ExtendSelectionByKey(0, K_SHIFT);
            }
            return true;
        default:
            break;
        }
    switch(key) {
    case KEY_UP:
    case SHIFT | KEY_UP:
        if(cursor < 0) {
            if(AppendingAllowed() && HasOption(APPEND_LINE))
                SetCursor(last, true);
            else
                sb.PrevLine();
            return true;
        }
        {
            // Editing follows the cursor in the same column.
            int edited = GetFocusedEditorColumn();
            for(int row = cursor - 1; row >= 0; row--)
                if(IsRowEnabled(row)) {
                    if(SetCursor(row, true)) {
                        if(edited >= 0)
                            StartEdit(edited);
                        else
                            ExtendSelectionByKey(from, key);
                    }
                    break;
                }
        }
        return true;
    case KEY_DOWN:
    case SHIFT | KEY_DOWN:
        if(!editing && AppendingAllowed() && HasOption(APPEND_LINE) && cursor >= 0 && cursor == last) {
            if(HasOption(MULTI_SELECT))
                ClearSelection();
            ClearCursor();
            return true;
        }
        if(cursor < 0) {
            sb.NextLine();
            return true;
        }
        {
            int edited = GetFocusedEditorColumn();
            bool edit = false;
            for(int row = cursor + 1; row <= last; row++)
                if(IsRowEnabled(row)) {
                    edit = SetCursor(row, true) && edited >= 0;
                    break;
                }
            if(edit)
                StartEdit(edited);
            else
                ExtendSelectionByKey(from, key);
        }
        return true;
    case KEY_ENTER:
        if(cursor < 0 && AppendingAllowed() && HasOption(APPEND_LINE)) {
            DoInsert(rows.GetCount());
            return true;
        }
        if(editing) {
            // An accepted new row opens the next one when the list appends by itself.
            if(IsInserting() && HasOption(AUTO_APPEND)) {
                if(AcceptEdit() && IsEditable())
                    DoInsert(rows.GetCount());
            }
            else
                AcceptEdit();
            return true;
        }
        if(cursor >= 0) {
            auto* a = WhenEnterKey.GetAction();
            if(a && a->CanRun()) {
                WhenEnterKey();
                return true;
            }
        }
        break;
    case KEY_ESCAPE:
        if(editing) {
            int row = cursor;
            CancelCursor();
            SetCursor(row, true);
            return true;
        }
        break;
    default:
        break;
    }
    return Bar::ScanKeys::Scan(WhenBar, key);
}

} // namespace Qor
