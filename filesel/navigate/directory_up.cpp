// One folder up.
#include "filesel/navigate/directory_up.h"

namespace Qor {

String DirectoryUp(String& folder, bool relative)
{
    while(!folder.IsEmpty() && (folder.End()[-1] == '/' || folder.End()[-1] == '\\'))
        folder.Truncate(folder.GetLength() - 1);
    String name;
    int i = folder.FindLast('/');
    if(relative) {
        if(i >= 0) {
            name = folder.Mid(i + 1);
            folder = folder.Left(i);
        }
        else
            folder.Clear();
        return name;
    }
    if(folder.IsEmpty() || folder[0] != '/' || folder.StartsWith("//"))
        return name;
    if(i == 0) {
        name = folder.Mid(1);
        folder = "/";
    }
    else {
        name = folder.Mid(i + 1);
        folder = folder.Left(i);
    }
    return name;
}

} // namespace Qor
