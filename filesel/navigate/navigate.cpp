// Moving between folders: to a given folder, one up, into the cursor folder.
#include "filesel/dialog/file_sel.h"

#include "filesel/navigate/directory_up.h"
#include "foundation/path.h"

namespace Qor {

void FileSel::SetFolder(const String& folder)
{
    dir.SetValue(folder);
    ClearSearchAndReload();
    UpdateFileInfo();
}

void FileSel::DirUp()
{
    String folder = dir.GetValue().GetString();
    String left = DirectoryUp(folder, !basefolder.IsEmpty());
    SetFolder(folder);
    // The folder just left stays under the cursor, so going up and down again is quick.
    if(list.HasFocus())
        list.FindSetCursor(left.Begin());
}

bool FileSel::OpenItem()
{
    int cursor = list.GetCursor();
    if(cursor >= 0 && list.GetFile(cursor).folder) {
        // The folder text, not GetFolder: with a base folder it stays relative.
        SetFolder(JoinPath(dir.GetValue().GetString(), list.GetFile(cursor).name.Begin()));
        return true;
    }
    if(mode != MODE_FOLDER)
        Finish();
    return false;
}

} // namespace Qor
