// The search filter: names are decoded before they are reduced, so an accented
// letter (several bytes in UTF-8) counts as the one letter it is based on.
#include "filesel/folder/search_match.h"

#include "foundation/char_filter.h"
#include "foundation/charset.h"
#include "foundation/wstring.h"

namespace Qor {

String SearchKeyOfName(const String& name)
{
    WString decoded = DecodeText(name);
    String key;
    for(int i = 0; i < decoded.GetLength(); i++)
        if(int c = UpperAsciiLetter(decoded[i]))
            key.AppendChar(c);
    return key;
}

bool MatchesSearch(const FileSystemEntry& entry, const String& search)
{
    return search.IsEmpty() || SearchKeyOfName(entry.name).Find(search.Begin()) >= 0;
}

} // namespace Qor
