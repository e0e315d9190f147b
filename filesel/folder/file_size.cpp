// The file size text of the information line.
#include "filesel/folder/file_size.h"

#include "foundation/values/format.h"

namespace Qor {

String FormatFileSize(int64 n)
{
    if(n < 10000)
        return Format("%d B  ", Value(n));
    if(n < 10240000)
        return Format("%d K  ", Value(n >> 10));
    if(n < INT64_C(10240000000))
        return Format("%d M  ", Value(n >> 20));
    return Format("%d G  ", Value(n >> 30));
}

} // namespace Qor
