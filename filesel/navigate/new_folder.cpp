// Creating a folder in the current folder.
#include "filesel/dialog/file_sel.h"

#include "foundation/values/translate.h"
#include "widgets/prompt/prompt.h"
#include "widgets/prompt/text_input.h"

namespace Qor {

void FileSel::NewFolder()
{
    if(dir.GetValue().GetString().IsEmpty() && basefolder.IsEmpty())
        return;
    String name;
    if(!RunTextInputDialog(name, Translate("New directory"), Translate("Name"), 0) || name.IsEmpty())
        return;
    String error;
    if(!filesystem->MakeFolder(GetFilePath(name.Begin()), error)) {
        ShowExclamation((String(Translate("[A3* Creating directory failed !&&]")) + error).Begin());
        return;
    }
    ClearSearchAndReload();
    list.FindSetCursor(name.Begin());
}

} // namespace Qor
