// FileList: its entries, the jump by first letter, sorting and the rename editor.
#include "filesel/list/file_list.h"

#include "ctrl/frame/ctrl_frame.h"
#include "draw/font/font_metrics.h"
#include "foundation/callback_action.h"
#include "foundation/chartable.h"
#include "foundation/values/value_rep.h"
#include "foundation/wstring.h"

#include <algorithm>

namespace Qor {

namespace {

const FileList::File& FileOf(const Value& v)
{
    const FileList::File* f = GetRawValue<FileList::File>(v);
    QOR_ASSERT(f);
    return *f;
}

enum : dword { KEY_SHIFT = 0x40000, KEY_CTRL = 0x20000 };

} // namespace

bool FileList::FileOrder::Less(const Value& a, const Value& b) const { return order->Less(FileOf(a), FileOf(b)); }

FileList::FileList()
{
    SetItemHeight(std::max(GetStandardFontSize().cy, 16));
    ResolveLayout(1);
    Refresh();
    AppendChild(editor);
    editor.Hide();
    editor.SetFrame(GetBlackLineFrame());
    SetDisplay(*this);
}

FileList::~FileList() {}

void FileList::Add(const String& name, const Image& icon, Font font, Color ink, bool folder, int64 length, Time time,
                   Color extensionink, const String& description, Font descriptionfont, const Value& data,
                   Color underline, bool executable, bool hidden)
{
    File f;
    f.folder = folder;
    f.executable = executable;
    f.hidden = hidden;
    f.icon = icon;
    f.name = name;
    f.font = font;
    f.ink = ink;
    f.length = length;
    f.time = time;
    f.extensionink = IsNull(extensionink) ? ink : extensionink;
    f.description = description;
    f.descriptionfont = descriptionfont;
    f.data = data;
    f.underline = underline;
    ColumnList::Add(Value::FromRep(new RawValueRep<File>(f)), folder ? selectfolders : true);
}

const FileList::File& FileList::GetFile(int i) const { return FileOf(GetKey(i)); }

bool FileList::FindSetCursor(const char* name)
{
    for(int i = 0; i < GetCount(); i++)
        if(GetFile(i).name == name) {
            SetCursor(i);
            return true;
        }
    return false;
}

void FileList::Sort(const Order& order)
{
    CancelTimer(RENAME_TIMER);
    String name;
    bool had_cursor = IsCursor();
    if(had_cursor)
        name = GetFile(GetCursor()).name;
    ColumnList::Sort(FileOrder(order));
    if(had_cursor)
        FindSetCursor(name.Begin());
}

bool FileList::FindByFirstChar(int from, int ch)
{
    for(int i = std::max(from, 0); i < GetCount(); i++) {
        WString name(GetFile(i).name);
        int first = name.IsEmpty() ? 0 : name[0];
        int c = CapitalCaseChar(BaseAsciiChar(first));
        if(c && c == ch) {
            ClearSelection();
            SetCursor(i);
            return true;
        }
    }
    return false;
}

void FileList::StartRename()
{
    if(!IsCursor())
        return;
    int i = GetCursor();
    const File& f = GetFile(i);
    Rect r = GetItemRect(i);
    int h = f.font.GetMetrics().height;
    r.left += iconwidth + 2;
    r.top += (r.Height() - h - 4) / 2;
    r.bottom = r.top + h + 2;
    editor.SetRect(r);
    editor.SetFont(f.font);
    WString text = WString(f.name);
    editor.SetText(text);
    renaming = f.name;
    editor.Show();
    editor.SetFocus();
    // The part before the extension is what a rename usually changes.
    int slash = -1, dot = -1;
    for(int k = 0; k < text.GetLength(); k++)
        if(text[k] == '/')
            slash = k;
        else if(text[k] == '.')
            dot = k;
    editor.SetSelection(0, dot > slash ? dot : text.GetLength());
}

void FileList::EndRename()
{
    CancelTimer(RENAME_TIMER);
    bool had_focus = editor.HasFocus();
    editor.Hide();
    if(had_focus)
        SetFocus();
    renaming.Clear();
}

void FileList::AcceptRename()
{
    String oldname = renaming;
    bool open = editor.IsVisible();
    EndRename();
    // The entry the editor was opened on, wherever the cursor went since; none when the
    // listing no longer holds it.
    if(!open)
        return;
    for(int i = 0; i < GetCount(); i++)
        if(GetFile(i).name == oldname) {
            WhenRename(oldname, String(editor.GetText()));
            return;
        }
}

void FileList::LeftButtonDown(Point p, dword keyflags)
{
    int c = GetCursor();
    if(editor.IsVisibleUpward()) {
        AcceptRename();
        ColumnList::LeftButtonDown(p, keyflags);
        CancelTimer(RENAME_TIMER);
    }
    else {
        ColumnList::LeftButtonDown(p, keyflags);
        CancelTimer(RENAME_TIMER);
        if(GetCursor() == c && c >= 0 && !HasCapture() && renameonclick && !(keyflags & (KEY_SHIFT | KEY_CTRL)))
            ScheduleTimer(750, MakeCallback(this, &FileList::StartRename), RENAME_TIMER);
    }
    if(keyflags & KEY_CTRL)
        WhenCtrlClick();
}

void FileList::LeftDoubleClick(Point p, dword keyflags)
{
    // The second click of a double click is no request to rename what it opens.
    CancelTimer(RENAME_TIMER);
    ColumnList::LeftDoubleClick(p, keyflags);
}

bool FileList::ProcessKey(dword key, int count)
{
    if(editor.IsVisible()) {
        if(key == 27) {
            EndRename();
            return true;
        }
        if(key == 13) {
            AcceptRename();
            return true;
        }
    }
    if(letterjump && key <= 255) {
        int c = CapitalCaseChar((int)key);
        if((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) {
            if(!FindByFirstChar(GetCursor() + 1, c))
                FindByFirstChar(0, c);
            return true;
        }
    }
    return ColumnList::ProcessKey(key, count);
}

} // namespace Qor
