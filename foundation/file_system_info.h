// FileSystemInfo: the interface through which a file selector lists folders and
// creates them, with the standard file system's implementation; and
// FileSystemEntry, one listed entry.
#pragma once

#include "foundation/owned_array.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/values/time.h"

namespace Qor {

struct FileSystemEntry {
    enum : byte {
        ORDINARY_ENTRY = 1,
        ROOT_ENTRY = 3,
    };

    String name;                 // the name within its folder
    String extra_text1;          // for other file systems; left empty here
    String extra_text2;
    int64 length = INT64_NULL;   // size in bytes
    // The status's times in local time; Null until set.
    Time last_access_time;
    Time last_write_time;
    Time creation_time;          // from the status-change time
    bool read_only = false;      // no write-permission bit (0222) is set
    bool is_directory = false;
    bool is_folder = false;      // a directory other than "." and ".."
    bool is_file = false;        // a regular file
    bool is_symbolic_link = false;  // the entry itself, not its target
    bool is_archive = false;     // never set by this file system
    bool is_compressed = false;  // never set by this file system
    bool is_hidden = false;      // painted greyed; never set by this file system
    bool read_only_attribute = false;  // the same test as read_only
    bool is_system = false;      // never set by this file system
    bool is_temporary = false;   // never set by this file system
    byte root_kind = 0;          // ORDINARY_ENTRY or ROOT_ENTRY once listed
    int32 mode = 0;              // type and permission bits; 0 for the root
};

class FileSystemInfo {
public:
    enum {
        STYLE_ALL_FILES_STAR_DOT_STAR = 1,  // "*.*" is the all-files mask, not "*"
        STYLE_ONE_ROOT = 2,                 // a single root, "/"
    };

    // Flags of the path style: STYLE_ONE_ROOT here.
    virtual int PathStyle();
    // The entries that match the mask, at least the first one and no more than
    // max_count after it; an empty mask gives the root "/" alone.
    virtual OwnedArray<FileSystemEntry> ListEntries(const String& mask, int max_count);
    // Creates the one folder (mode 0755); on failure error receives the
    // system's text for the reason.
    virtual bool MakeFolder(const String& path, String& error);
    virtual ~FileSystemInfo() {}
};

// The process-wide instance, made on first use and destroyed at exit.
FileSystemInfo& StandardFileSystem();

} // namespace Qor
