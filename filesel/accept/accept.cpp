// Accepting: the OK button's reading of the file field (a name, a path, a folder, a mask,
// "." or ".."), and the accept step that checks the names and ends the dialog.
#include "filesel/dialog/file_sel.h"

#include "filesel/accept/file_names.h"
#include "filesel/folder/entry_lookup.h"
#include "foundation/path.h"
#include "foundation/values/translate.h"
#include "richtext/qtf/qtf_format_writer.h"
#include "widgets/prompt/prompt.h"

namespace Qor {

void FileSel::AddResultName(Vector<String>& list, String& name)
{
    if(name.IsEmpty())
        return;
    list.Add(CompleteFileName(name, GetActiveMask().Begin(), defaultext));
    name.Clear();
}

void FileSel::Finish()
{
    if((filesystem->PathStyle() & FileSystemInfo::STYLE_ALL_FILES_STAR_DOT_STAR) && GetFolder().IsEmpty()) {
        file.ClearText();
        return;
    }
    result.Clear();
    if(mode == MODE_FOLDER) {
        String p = GetFolder();
        int cursor = list.GetCursor();
        if(cursor >= 0 && list.GetFile(cursor).folder)
            p = JoinPath(p, list.GetFile(cursor).name.Begin());
        result.Add(p);
        Break(1);
        return;
    }
    String t = String(file.GetText());
    if(t.IsEmpty())
        return;
    if(mode == MODE_OPEN && multiselect) {
        for(String& n : SplitFileNames(t))
            AddResultName(result, n);
    }
    else {
        AddResultName(result, t);
        if(result.GetCount() > 1)
            result.Trim(1);
    }
    String d = GetFolder();
    String missing;
    int missing_count = 0;
    for(const String& n : result) {
        String p = IsFullPath(n.Begin()) ? n : MakeAbsolutePath(JoinPath(d, n.Begin()).Begin());
        // The exact name: a typed name with '*' or '?' must not take another entry's kind.
        FileSystemEntry e;
        bool exists = FindExactEntry(*filesystem, p, e);
        String q = EscapeQtfText(p.Begin());
        if(exists && e.is_directory) {
            ShowExclamation((q + Translate(" is directory.")).Begin());
            return;
        }
        if(!confirm)
            continue;
        if(mode == MODE_OPEN && !exists) {
            if(missing_count++)
                missing += '&';
            missing += q;
        }
        if(mode == MODE_SAVE && exists &&
           !AskOkCancel((q + Translate(" already exists.&Do you want to continue ?")).Begin()))
            return;
    }
    if(missing_count) {
        missing += missing_count == 1 ? Translate(" does not exist.") : Translate("&do not exist.");
        missing += Translate("&Do you want to continue ?");
        if(!AskOkCancel(missing.Begin()))
            return;
    }
    Break(1);
}

void FileSel::OkPressed()
{
    if(mode == MODE_FOLDER) {
        Finish();
        return;
    }
    if(list.HasFocus() || type.HasFocus()) {
        if(OpenItem())
            list.SetCursor(0);
        return;
    }
    if(!file.HasFocus())
        return;
    String fn = String(file.GetText());
    if(fn == "." || fn == "..") {
        DirUp();
        return;
    }
    if(HasWildcards(fn.Begin())) {
        file.ClearText();
        int i = 0;
        while(i < masks.GetCount() && masks[i] != fn)
            i++;
        if(i < masks.GetCount())
            type.SetValue(type.GetKey(i));
        else {
            type.Add(fn, String(Translate("Custom file type (")) + fn + ")");
            type.SetValue(type.GetKey(type.GetCount() - 1));
        }
        ClearSearchAndReload();
        return;
    }
    if(fn.Find('"') >= 0) {
        Finish();
        return;
    }
    if(!IsFullPath(fn.Begin()))
        fn = JoinPath(dir.GetValue().GetString(), fn.Begin());
    int style = filesystem->PathStyle();
    if((style & FileSystemInfo::STYLE_ONE_ROOT) && fn != "/" && (fn.EndsWith("/") || fn.EndsWith("\\"))) {
        fn.Truncate(fn.GetLength() - 1);
        SetFolder(DropSoleTrailingDot(fn));
        return;
    }
    FileSystemEntry e;
    if(FindExactEntry(*filesystem, fn, e)) {
        if(e.is_directory) {
            SetFolder(DropSoleTrailingDot(fn));
            return;
        }
        SetFolder(DropSoleTrailingDot(FolderOfPath(fn.Begin())));
        file.SetText(WString(NameOfPath(fn.Begin())));
    }
    if(mode != MODE_FOLDER)
        Finish();
}

} // namespace Qor
