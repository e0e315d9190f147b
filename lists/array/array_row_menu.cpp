// The standard row menu: the row commands a list's options allow, each with its help text
// and key. The same builder serves the right-click menu and the keys the list leaves over.

#include "lists/array/array_column.h"

#include "foundation/callback_action.h"
#include "foundation/values/format.h"
#include "foundation/values/translate.h"
#include "widgets/bar/bar.h"

namespace Qor {

namespace {

constexpr dword KEY_INSERT = 0x1FF63;
constexpr dword KEY_SHIFT_INSERT = 0x5FF63;
constexpr dword KEY_CTRL_INSERT = 0x3FF63;
constexpr dword KEY_CTRL_ENTER = 0x2000D;
constexpr dword KEY_DELETE = 0x1FFFF;
constexpr dword KEY_CTRL_UP = 0x3FF52;
constexpr dword KEY_CTRL_DOWN = 0x3FF54;
constexpr dword KEY_CTRL_A = 0x30041;

} // namespace

void ArrayCtrl::StdBar(Bar& bar)
{
    const char* name = row_name.Begin();
    auto item = [&](bool enable, const char* text, const char* help, dword key, void (ArrayCtrl::*command)()) {
        bar.AddMenuItem(enable, PrintfToString(Translate(text), name).Begin(), MakeCallback(this, command))
            .Help(PrintfToString(Translate(help), name).Begin())
            .Key(key);
    };
    bool editable = IsEditable();
    bool idle = editable && !IsEditing();
    bool on_row = idle && cursor >= 0;
    bool appending = HasOption(APPENDING_ALLOWED) || HasOption(AUTO_APPEND);
    bool inserting = HasOption(INSERTING_ALLOWED);
    const char* before = "Insert %s before";
    const char* before_help = "Insert a new %s into the table before current";
    const char* after = "Insert %s after";
    const char* after_help = "Insert a new %s into the table after current";
    if(inserting)
        item(editable, "Insert %s", "Insert a new %s into the table.", KEY_INSERT, &ArrayCtrl::DoInsertBefore);
    switch(GetInsertMode()) {
    case 1:
        item(editable, before, before_help, KEY_INSERT, &ArrayCtrl::DoInsertBefore);
        item(editable, after, after_help, KEY_SHIFT_INSERT, &ArrayCtrl::DoInsertAfter);
        break;
    case 2:
        item(editable, after, after_help, KEY_INSERT, &ArrayCtrl::DoInsertAfter);
        item(editable, before, before_help, KEY_SHIFT_INSERT, &ArrayCtrl::DoInsertBefore);
        break;
    default:
        break;
    }
    if(appending)
        item(idle, "Append %s", "Append a new %s at the end of the table.", inserting ? KEY_SHIFT_INSERT : KEY_INSERT,
             &ArrayCtrl::DoAppend);
    if(HasOption(DUPLICATING_ALLOWED))
        item(on_row, "Duplicate %s", "Duplicate current table %s.", KEY_CTRL_INSERT, &ArrayCtrl::DoDuplicate);
    bool editors = false;
    for(const Column& c : columns)
        editors = editors || c.GetEditor();
    if(editors)
        item(on_row, "Edit %s", "Edit active %s.", KEY_CTRL_ENTER, &ArrayCtrl::DoEdit);
    if(HasOption(REMOVING_ALLOWED))
        item(on_row, "Delete %s\tDelete", "Delete active %s.", KEY_DELETE, &ArrayCtrl::RemoveCommand);
    if(HasOption(MOVING_ALLOWED)) {
        item(cursor > 0, "Move %s up", "Swap %s with previous thus moving it up.", KEY_CTRL_UP, &ArrayCtrl::DoMoveUp);
        item(cursor >= 0 && cursor < GetCount() - 1, "Move %s down", "Swap %s with next thus moving it down.",
             KEY_CTRL_DOWN, &ArrayCtrl::DoMoveDown);
    }
    if(HasOption(MULTI_SELECT))
        bar.AddMenuItem(GetCount() > 0, PrintfToString(Translate("Select all"), name).Begin(),
                        MakeCallback(this, &ArrayCtrl::SelectAll))
            .Help(Translate("Select all table rows"))
            .Key(KEY_CTRL_A);
}

} // namespace Qor
