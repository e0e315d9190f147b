// The file list's rename, applied to the current folder.
#include "filesel/dialog/file_sel.h"

#include "filesel/navigate/rename_entry.h"
#include "foundation/values/translate.h"
#include "richtext/qtf/qtf_format_writer.h"
#include "widgets/prompt/prompt.h"

namespace Qor {

void FileSel::RenameFile(const String& oldname, const String& newname)
{
    // The editor reports also when the name was left as it was.
    if(newname == oldname)
        return;
    String error;
    if(!RenameEntry(GetFolder(), oldname, newname, error)) {
        ShowExclamation(
            (String(Translate("[A3* Renaming of file failed !&&]")) + EscapeQtfText(error.Begin())).Begin());
        return;
    }
    ClearSearchAndReload();
    list.FindSetCursor(newname.Begin());
}

} // namespace Qor
