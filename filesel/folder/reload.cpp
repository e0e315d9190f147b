// The file selector's listing: the current folder, the active mask and the reload that
// rebuilds the list and everything that depends on it.
#include "filesel/dialog/file_sel.h"

#include "filesel/folder/load_file_list.h"
#include "filesel/folder/sort_orders.h"
#include "foundation/path.h"
#include "foundation/system_text.h"
#include "foundation/values/translate.h"
#include "richtext/qtf/qtf_format_writer.h"
#include "widgets/prompt/prompt.h"

#include <cerrno>

namespace Qor {

String FileSel::GetFolder() const
{
    String text = dir.GetValue().GetString();
    if(basefolder.IsEmpty())
        return text;
    if(text.IsEmpty())
        return basefolder;
    return JoinPath(basefolder, text.Begin());
}

String FileSel::GetFilePath(const char* name) const { return JoinPath(GetFolder(), name); }

String FileSel::GetActiveMask() const
{
    Value v = type.GetValue();
    if(v.IsNull())
        return "*";
    if(v.GetTypeNumber() == STRING_V || v.GetTypeNumber() == WSTRING_V)
        return v.GetString();
    int k = v.ToInt();
    return k >= 0 && k < masks.GetCount() ? masks[k] : String("*");
}

void FileSel::ClearSearchAndReload()
{
    search.SetValue(Value());
    Reload();
}

void FileSel::Reload()
{
    list.EndRename();
    list.Clear();
    String d = GetFolder();
    String mask = GetActiveMask();
    bool show_hidden_files = hiddenfiles.GetValue().ToInt() != 0;
    bool show_hidden = hidden.GetValue().ToInt() != 0;
    String search_text = search.GetValue().GetString();
    String folder_text = dir.GetValue().GetString();
    bool ok = LoadFileList(list, d, mask.Begin(), mode == MODE_FOLDER, WhenIcon, *filesystem, search_text, show_hidden,
                           show_hidden_files);
    if(!ok) {
        int reason = errno;
        String message = String(Translate("[A3* Unable to read the directory !]&&")) +
                         EscapeQtfText(folder_text.Begin()) + "&&" + SystemErrorText(reason);
        ShowExclamation(message.Begin());
        if(!basefolder.IsEmpty() && folder_text.IsEmpty()) {
            Break(2);
            return;
        }
        // Back to the last folder that could be read; failing that, the root list,
        // which always lists. That reload sets up everything for the folder shown.
        dir.SetValue(lastfolder);
        lastfolder.Clear();
        Reload();
        return;
    }
    places.ClearCursor();
    if(!d.IsEmpty())
        places.FindSetCursor(d);
    hiddenfiles.Enable(!show_hidden);
    int style = filesystem->PathStyle();
    bool drive_letters = style & FileSystemInfo::STYLE_ALL_FILES_STAR_DOT_STAR;
    if(!d.IsEmpty()) {
        for(Ctrl* c :
            { (Ctrl*)&dirup, (Ctrl*)&newfolder, (Ctrl*)&selectfiles, (Ctrl*)&unselectfiles, (Ctrl*)&togglefiles })
            c->Enable();
        list.renameonclick = true;
    }
    else {
        if(drive_letters) {
            for(Ctrl* c : { (Ctrl*)&newfolder, (Ctrl*)&selectfiles, (Ctrl*)&unselectfiles, (Ctrl*)&togglefiles })
                c->Disable();
            list.renameonclick = false;
        }
        dir.SetValue(d);
        dirup.Disable();
    }
    if(style & FileSystemInfo::STYLE_ONE_ROOT) {
        if(d == "/" || (!basefolder.IsEmpty() && folder_text.IsEmpty()))
            dirup.Disable();
    }
    if(drive_letters && !basefolder.IsEmpty() && folder_text.IsEmpty())
        dirup.Disable();
    lastfolder = folder_text;
    if(!lastfolder.IsEmpty() || !basefolder.IsEmpty()) {
        if(sortext.GetValue().ToInt() != 0 && mode != MODE_FOLDER)
            list.Sort(FileListSortExt());
        else
            list.Sort(FileListSortName());
    }
    UpdateFileInfo();
}

} // namespace Qor
