// Joining a list of Strings with a separator.
#include "foundation/join.h"

namespace Qor {

String JoinStrings(const Vector<String>& parts, const String& separator)
{
    String result;
    for(int i = 0; i < parts.GetCount(); i++) {
        if(i)
            result.Append(separator);
        result.Append(parts[i]);
    }
    return result;
}

} // namespace Qor
