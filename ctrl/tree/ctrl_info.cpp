// The information text of a control: tool tip, help line, bar-item texts and layout name,
// joined by the byte 0x7F.

#include "ctrl/tree/ctrl_class.h"

#include "foundation/assert.h"
#include "foundation/join.h"
#include "foundation/text_split.h"

namespace Qor {

namespace {

const int INFO_SEPARATOR = 0x7F;

Vector<String> SplitInfo(const String& info)
{
    Vector<String> parts = SplitText(info.Begin(), INFO_SEPARATOR, false);
    if(parts.IsEmpty())
        parts.Add();
    return parts;
}

} // namespace

String Ctrl::GetInfoPart(int i) const
{
    Vector<String> parts = SplitInfo(info);
    return i >= 0 && i < parts.GetCount() ? parts[i] : String();
}

Ctrl& Ctrl::SetInfoPart(int i, const char* text)
{
    QOR_ASSERT(i >= 0);
    Vector<String> parts = SplitInfo(info);
    while(parts.GetCount() <= i)
        parts.Add();
    parts[i] = String(text);
    info = JoinStrings(parts, String("\x7f"));
    return *this;
}

} // namespace Qor
