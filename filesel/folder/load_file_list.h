// Filling a FileList with the entries of one folder.
#pragma once

#include "filesel/list/file_list.h"
#include "foundation/callback.h"
#include "foundation/file_system_info.h"

namespace Qor {

using FileIconCallback = CallbackHolder<void, bool, const FileSystemEntry&, Image&>;

// Appends the entries of folder to list: folders always, other entries when patterns
// accepts their name; all only when search (a search key, see MatchesSearch) matches and
// they are visible by the hidden-item options. "." and ".." are never listed. An empty
// folder lists the file system's roots. Files are grey when foldersonly is set. False
// when the listing came back empty (errno tells why).
bool LoadFileList(FileList& list, const String& folder, const char* patterns, bool foldersonly,
                  const FileIconCallback& whenicon, FileSystemInfo& fs, const String& search, bool showhidden,
                  bool showhiddenfiles);

} // namespace Qor
