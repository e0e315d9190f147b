// The information line under the file list (name, size, time of the cursor entry, or a
// summary of the folder) and the OK button's state.
#include "filesel/dialog/file_sel.h"

#include "filesel/accept/file_names.h"
#include "filesel/folder/entry_lookup.h"
#include "filesel/folder/file_size.h"
#include "foundation/values/date_text.h"
#include "foundation/values/number_text.h"
#include "foundation/values/translate.h"

namespace Qor {

namespace {

// "2 folder(s), 3 file(s)" and the total of the lengths that are known: an entry whose
// status could not be read has a Null length, which must not count as a number.
String FolderSummary(const FileList& list, int64& total)
{
    int folders = 0;
    int files = 0;
    total = 0;
    for(int i = 0; i < list.GetCount(); i++) {
        const FileList::File& f = list.GetFile(i);
        if(f.folder)
            folders++;
        else {
            files++;
            if(!IsNullInt64(f.length) && f.length > 0)
                total += f.length;
        }
    }
    String text;
    if(folders) {
        text += IntToText(folders);
        text += Translate(" folder(s)");
    }
    if(files) {
        if(!text.IsEmpty())
            text += ", ";
        text += IntToText(files);
        text += Translate(" file(s)");
    }
    return text;
}

} // namespace

void FileSel::UpdateFileInfo()
{
    String names;
    int cursor = list.GetCursor();
    if(cursor >= 0 && !list.GetFile(cursor).folder)
        AppendFileName(names, list.GetFile(cursor).name);
    if(mode == MODE_OPEN)
        file.SetValue(names);
    filename.SetText("");
    filesize.SetText("");
    filetime.SetText("");
    if(preview)
        preview->SetValue(Value());
    if(cursor < 0) {
        int64 total;
        String summary = FolderSummary(list, total);
        filename.SetText(("  " + summary).Begin());
        filesize.SetText(FormatFileSize(total).Begin());
    }
    else {
        const String& s = list.GetFile(cursor).name;
        if(s.GetLength() <= 3 && s.GetLength() >= 2 && s[1] == ':')
            filename.SetText(Translate("  Drive"));
        else {
            String p = GetFilePath(s.Begin());
            FileSystemEntry e;
            if(FindExactEntry(*filesystem, p, e)) {
                filename.SetText(("  " + s).Begin());
                if(e.is_directory)
                    filesize.SetText(Translate("Directory  "));
                else {
                    if(mode == MODE_SAVE)
                        file.SetValue(s);
                    if(!IsNullInt64(e.length))
                        filesize.SetText(FormatFileSize(e.length).Begin());
                    if(preview)
                        preview->SetValue(p);
                }
                filetime.SetText(("     " + FormatTime(e.last_write_time, true)).Begin());
            }
        }
    }
    UpdateOkButton();
}

void FileSel::UpdateOkButton()
{
    if(mode == MODE_FOLDER) {
        ok.Enable(!dir.GetValue().IsNull());
        return;
    }
    int cursor = list.GetCursor();
    ok.Enable(cursor >= 0 || !file.GetText().IsEmpty());
    bool on_file = cursor < 0 || !list.GetFile(cursor).folder;
    ok.SetLabel(mode == MODE_SAVE && on_file ? Translate("Save") : Translate("Open"));
}

} // namespace Qor
