// A place's icon and name, both centred vertically in the row.
#include "filesel/places/place_display.h"

#include "draw/font/font_metrics.h"
#include "draw/image/image.h"
#include "draw/target/draw.h"
#include "draw/text/text.h"
#include "foundation/values/value_array.h"

#include <algorithm>

namespace Qor {

namespace {

void ReadPlace(const Value& v, Image& icon, String& name)
{
    ValueArray parts(v);
    icon = parts.GetCount() > 0 ? Image(parts[0]) : Image();
    name = parts.GetCount() > 1 ? parts[1].GetString() : String();
}

} // namespace

void DisplayPlace::Paint(Draw& w, const Rect& r, const Value& v, Color ink, Color paper, dword) const
{
    w.DrawRect(r, paper);
    Image icon;
    String name;
    ReadPlace(v, icon, name);
    Size isz = icon.GetSize();
    w.DrawImage(r.left, r.top + (r.Height() - isz.cy) / 2, icon);
    Font font = GetStandardFont();
    w.DrawText(r.left + isz.cx + 2, r.top + (r.Height() - font.GetHeight()) / 2, name, font, ink);
}

Size DisplayPlace::GetStandardSize(const Value& v) const
{
    Image icon;
    String name;
    ReadPlace(v, icon, name);
    Font font = GetStandardFont();
    Size isz = icon.GetSize();
    return Size(isz.cx + GetTextSize(name, font).cx + 2, std::max(isz.cy, font.GetHeight()));
}

const Display& GetPlaceDisplay()
{
    static DisplayPlace instance;
    return instance;
}

} // namespace Qor
