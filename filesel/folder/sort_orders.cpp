// The sort choices, on the listing orders of plain names.
#include "filesel/folder/sort_orders.h"

#include "filesel/folder/name_order.h"

namespace Qor {

bool FileListSortName::Less(const FileList::File& a, const FileList::File& b) const
{
    return FileNameLess(a.folder, a.name.Begin(), b.folder, b.name.Begin());
}

bool FileListSortExt::Less(const FileList::File& a, const FileList::File& b) const
{
    return FileExtensionLess(a.folder, a.name.Begin(), b.folder, b.name.Begin());
}

} // namespace Qor
