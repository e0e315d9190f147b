// Renaming without replacing. The C library's rename silently replaces an existing
// target, so the kernel is asked not to (RENAME_NOREPLACE); file systems that do not
// know that flag get a check of the target just before the rename.
#include "filesel/navigate/rename_entry.h"

#include "foundation/path.h"
#include "foundation/system_text.h"
#include "foundation/values/format.h"
#include "foundation/values/translate.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

namespace Qor {

namespace {

int RenameNoReplace(const String& from, const String& to)
{
    if(renameat2(AT_FDCWD, from.Begin(), AT_FDCWD, to.Begin(), RENAME_NOREPLACE) == 0)
        return 0;
    if(errno != EINVAL && errno != ENOSYS)
        return errno;
    struct stat s;
    if(lstat(to.Begin(), &s) == 0)
        return EEXIST;
    return rename(from.Begin(), to.Begin()) == 0 ? 0 : errno;
}

} // namespace

bool RenameEntry(const String& folder, const String& oldname, const String& newname, String& error)
{
    if(newname.IsEmpty() || newname == "." || newname == ".." || newname.Find('/') >= 0) {
        error = Format(Translate("\"%s\" is not a valid name: a name must not be empty, \".\" or \"..\", "
                                 "and must not contain \"/\"."),
                       Value(newname));
        return false;
    }
    String from = ToSystemText(JoinPath(folder, oldname.Begin()));
    String to = ToSystemText(JoinPath(folder, newname.Begin()));
    int reason = RenameNoReplace(from, to);
    if(reason == EEXIST)
        error = Format(Translate("\"%s\" already exists."), Value(newname));
    else if(reason)
        error = SystemErrorText(reason);
    return reason == 0;
}

} // namespace Qor
