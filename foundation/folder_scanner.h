// FolderScanner walks the entries of one folder that match a name mask; and the
// small file wrappers built on it or beside it: testing, moving and deleting
// files and creating a folder path.
#pragma once

#include "foundation/string.h"

#include <dirent.h>
#include <sys/stat.h>

namespace Qor {

class FolderScanner {
public:
    FolderScanner();
    // Searches for the mask at once.
    explicit FolderScanner(const char* mask);
    ~FolderScanner();
    FolderScanner(const FolderScanner&) = delete;
    FolderScanner& operator=(const FolderScanner&) = delete;

    // A mask with '*' or '?' opens the folder of its last '/' and finds the
    // first entry whose name matches its name part; any other mask names one entry, which is found
    // when its status can be read. A mask without '/' looks in the current folder.
    bool Search(const char* mask);
    // The next matching entry ("." and ".." included); false at the end of the
    // folder, which closes it.
    bool Next();
    // The status of the current entry, following symbolic links; read once per
    // entry. Left unchanged when it cannot be read (see HasStatus).
    const struct stat& GetStatus();
    void Close();

    bool HasEntry() const { return has_entry; }
    // The last GetStatus (or a search by name) read the current entry's status.
    bool HasStatus() const { return status_read; }
    const String& GetName() const { return name; }
    // The absolute, normalised folder being scanned.
    const String& GetFolder() const { return folder; }

private:
    bool has_entry = false;
    DIR* handle = nullptr;
    bool status_read = false;
    struct stat status;
    String folder;
    String name;
    String pattern;
};

// The path names an existing regular file (following symbolic links).
bool FileExists(const char* path);
// Renames; true on success.
bool MoveFile(const char* from, const char* to);
// Removes the file; true on success.
bool DeleteFile(const char* path);
// Creates the folder and every missing folder above it, each with mode 0755;
// true when all were made or none was missing.
bool MakeFolderPath(const String& path);

} // namespace Qor
