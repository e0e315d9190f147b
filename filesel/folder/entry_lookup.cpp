// Exact lookup. The file system lists by mask, so a name that holds wildcards would
// match other entries (and case-insensitively); the listing is narrowed to the one
// entry whose name is byte for byte the asked one.
#include "filesel/folder/entry_lookup.h"

#include "foundation/path.h"

namespace Qor {

bool FindExactEntry(FileSystemInfo& fs, const String& path, FileSystemEntry& entry)
{
    String name = NameOfPath(path.Begin());
    if(name.IsEmpty() || name == "." || name == "..") {
        // A folder's own path: list it through its absolute, normalised form.
        String folder = MakeAbsolutePath(path.Begin());
        if(folder == "/") {
            OwnedArray<FileSystemEntry> roots = fs.ListEntries(String(), 1);
            if(roots.GetCount() == 0)
                return false;
            entry = roots[0];
            return true;
        }
        if(folder == path)
            return false;
        return FindExactEntry(fs, folder, entry);
    }
    // Without wildcards the mask names the one entry; with them, every entry of the
    // folder is listed (a pattern such as "x*." would not even match the name "x*.").
    OwnedArray<FileSystemEntry> found = HasWildcards(path.Begin())
                                            ? fs.ListEntries(JoinPath(FolderOfPath(path.Begin()), "*"), 1000000)
                                            : fs.ListEntries(path, 1);
    for(int i = 0; i < found.GetCount(); i++)
        if(found[i].name == name) {
            entry = found[i];
            return true;
        }
    return false;
}

} // namespace Qor
