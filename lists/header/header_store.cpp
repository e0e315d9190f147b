// The stored form of a column header's layout.

#include "lists/header/header_store.h"

#include "foundation/stream.h"

#include <cmath>

namespace Qor {

void StoreHeaderLayout(Stream& s, const HeaderStoredLayout& layout)
{
    int version = 3;
    s.SerializeCount(version);
    int n = layout.tabs.GetCount();
    s.SerializeCount(n);
    for(const HeaderStoredTab& t : layout.tabs) {
        int32 index = t.index;
        double ratio = t.ratio;
        byte visible = t.visible;
        s.Serialize(index).Serialize(ratio).Serialize(visible);
    }
}

bool LoadHeaderLayout(Stream& s, int tab_count, HeaderStoredLayout& layout)
{
    layout.tabs.Clear();
    int version = -1;
    int n = -1;
    s.SerializeCount(version);
    if(!s.IsError())
        s.SerializeCount(n);
    // Another tab count means another list: its entries would land on the wrong tabs.
    if(s.IsError() || version < 0 || version > 3 || n != tab_count) {
        s.SetLoadError();
        return false;
    }
    layout.version = version;
    for(int j = 0; j < n && !s.IsError(); j++) {
        HeaderStoredTab& t = layout.tabs.Add();
        t.index = j;
        if(version == 0) {
            int whole = 0;
            s.SerializeCount(whole);
            t.ratio = whole;
        }
        else {
            if(version >= 2) {
                int32 index = 0;
                s.Serialize(index);
                t.index = index;
            }
            s.Serialize(t.ratio);
            if(version == 3) {
                byte visible = 0;
                s.Serialize(visible);
                t.visible = visible != 0;
            }
        }
        // A NaN, infinite or negative share would poison the sum every tab's width is
        // taken from.
        if(!std::isfinite(t.ratio) || t.ratio < 0)
            s.SetLoadError();
    }
    if(s.IsError()) {
        if(s.GetErrorCode() != Stream::LOAD_ERROR_CODE)
            s.SetLoadError();
        layout.tabs.Clear();
        return false;
    }
    return true;
}

} // namespace Qor
