// FolderScanner and the file wrappers; every path goes to the system through
// ToSystemText and every name read back through FromSystemText.
#include "foundation/folder_scanner.h"

#include "foundation/path.h"
#include "foundation/system_text.h"
#include "foundation/vector.h"

#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace Qor {

FolderScanner::FolderScanner()
{
    std::memset(&status, 0, sizeof(status));
}

FolderScanner::FolderScanner(const char* mask) : FolderScanner()
{
    Search(mask);
}

FolderScanner::~FolderScanner()
{
    Close();
}

void FolderScanner::Close()
{
    if(handle) {
        closedir(handle);
        handle = nullptr;
    }
}

bool FolderScanner::Search(const char* mask)
{
    Close();
    has_entry = false;
    status_read = false;
    const char* slash = std::strrchr(mask, '/');
    String folder_part = slash ? String(mask, int(slash - mask) + 1) : String();
    String current = CurrentFolder();
    folder = NormalizePath(folder_part.Begin(), current.Begin());
    String name_part = NameOfPath(mask);
    if(HasWildcards(mask)) {
        pattern = name_part;
        handle = opendir(ToSystemText(folder).Begin());
        return Next();
    }
    name = name_part;
    if(stat(ToSystemText(mask).Begin(), &status) != 0)
        return false;
    has_entry = status_read = true;
    return true;
}

bool FolderScanner::Next()
{
    has_entry = false;
    if(!handle)
        return false;
    while(const dirent* entry = readdir(handle)) {
        name = FromSystemText(entry->d_name);
        status_read = false;
        if(MatchesPattern(pattern.Begin(), name.Begin())) {
            has_entry = true;
            return true;
        }
    }
    name.Clear();
    Close();
    return false;
}

const struct stat& FolderScanner::GetStatus()
{
    if(has_entry && !status_read) {
        struct stat s;
        if(stat(ToSystemText(JoinPath(folder, name.Begin())).Begin(), &s) == 0) {
            status = s;
            status_read = true;
        }
    }
    return status;
}

bool FileExists(const char* path)
{
    FolderScanner scanner(path);
    return scanner.HasEntry() && S_ISREG(scanner.GetStatus().st_mode) && scanner.HasStatus();
}

bool MoveFile(const char* from, const char* to)
{
    return std::rename(ToSystemText(from).Begin(), ToSystemText(to).Begin()) == 0;
}

bool DeleteFile(const char* path)
{
    return unlink(ToSystemText(path).Begin()) == 0;
}

static bool IsExistingDirectory(const String& path)
{
    FolderScanner scanner(path.Begin());
    return scanner.HasEntry() && S_ISDIR(scanner.GetStatus().st_mode) && scanner.HasStatus();
}

bool MakeFolderPath(const String& path)
{
    String current = MakeAbsolutePath(path.Begin());
    Vector<String> missing;
    while(current.GetLength() >= 2 && !IsExistingDirectory(current)) {
        missing.Add(current);
        current = FolderOfPath(current.Begin());
    }
    for(int i = missing.GetCount() - 1; i >= 0; i--)
        if(mkdir(ToSystemText(missing[i]).Begin(), 0755) != 0)
            return false;
    return true;
}

} // namespace Qor
