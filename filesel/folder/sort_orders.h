// The file selector's two sort choices as file orders of its FileList.
#pragma once

#include "filesel/list/file_list.h"

namespace Qor {

// Folders first, ".." first within its kind, then names without regard to ASCII case.
struct FileListSortName : FileList::Order {
    bool Less(const FileList::File& a, const FileList::File& b) const override;
};

// As FileListSortName, but extensions decide before names; no extension comes first.
struct FileListSortExt : FileList::Order {
    bool Less(const FileList::File& a, const FileList::File& b) const override;
};

} // namespace Qor
