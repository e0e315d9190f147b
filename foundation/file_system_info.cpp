// The standard file system: listing with FolderScanner, folders made with mkdir.
#include "foundation/file_system_info.h"

#include "foundation/folder_scanner.h"
#include "foundation/path.h"
#include "foundation/system_text.h"

#include <cerrno>
#include <sys/stat.h>

namespace Qor {

int FileSystemInfo::PathStyle()
{
    return STYLE_ONE_ROOT;
}

// Fills the fields that come from the status of what the entry leads to.
static void TakeStatus(FileSystemEntry& entry, const struct stat& s)
{
    entry.length = s.st_size;
    entry.last_access_time = Time(s.st_atime);
    entry.last_write_time = Time(s.st_mtime);
    entry.creation_time = Time(s.st_ctime);
    entry.read_only = entry.read_only_attribute = (s.st_mode & 0222) == 0;
    entry.is_directory = S_ISDIR(s.st_mode);
    entry.is_file = S_ISREG(s.st_mode);
    entry.mode = (int32)s.st_mode;
}

OwnedArray<FileSystemEntry> FileSystemInfo::ListEntries(const String& mask, int max_count)
{
    OwnedArray<FileSystemEntry> result;
    if(mask.IsEmpty()) {
        FileSystemEntry& root = result.Add();
        root.name = "/";
        root.root_kind = FileSystemEntry::ROOT_ENTRY;
        return result;
    }
    FolderScanner scanner(mask.Begin());
    while(scanner.HasEntry()) {
        FileSystemEntry& entry = result.Add();
        entry.name = scanner.GetName();
        const struct stat& s = scanner.GetStatus();
        // A dangling link has no status of its own; it must not inherit the
        // previous entry's, so its fields stay at their initial values.
        if(scanner.HasStatus())
            TakeStatus(entry, s);
        entry.is_folder = entry.is_directory && entry.name != "." && entry.name != "..";
        struct stat link;
        String path = JoinPath(scanner.GetFolder(), entry.name.Begin());
        entry.is_symbolic_link = lstat(ToSystemText(path).Begin(), &link) == 0 && S_ISLNK(link.st_mode);
        entry.root_kind = FileSystemEntry::ORDINARY_ENTRY;
        if(result.GetCount() >= max_count || !scanner.Next())
            break;
    }
    scanner.Close();
    return result;
}

bool FileSystemInfo::MakeFolder(const String& path, String& error)
{
    String system_path = ToSystemText(path);
    if(mkdir(system_path.Begin(), 0755) == 0)
        return true;
    int reason = errno;
    error = SystemErrorText(reason);
    return false;
}

FileSystemInfo& StandardFileSystem()
{
    static FileSystemInfo instance;
    return instance;
}

} // namespace Qor
